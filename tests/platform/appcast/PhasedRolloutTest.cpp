#include "platform/appcast/PhasedRollout.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PhasedRollout, TheGroupIsTheInstallationsNumberModuloSevenDrawnOnce)
{
    QTemporaryDir scratch;
    const QString file = scratch.filePath(u"defaults"_s);
    UserDefaults defaults(file);
    const auto& key = DefaultsKeys::updateGroupIdentifier;
    defaults.setValue(key, 13ull);
    EXPECT_EQ(PhasedRollout::group(defaults), 6);
    defaults.setValue(key, 4294967295ull);
    EXPECT_EQ(PhasedRollout::group(defaults), 3);

    defaults.remove(key);
    for (const QString& unusable : {QString(), u"x"_s, u"-1"_s, u"0"_s, u"4294967296"_s}) {
        if (!unusable.isNull()) {
            QSettings raw(file, QSettings::IniFormat);
            raw.setValue(key.name, unusable); // as another program might have left it
        }
        UserDefaults reread(file);
        const int group = PhasedRollout::group(reread);
        const qulonglong drawn = reread.value(key);
        EXPECT_GE(drawn, 1u) << unusable.toStdString();
        EXPECT_LE(drawn, 4294967295u);
        EXPECT_EQ(group, int(drawn % 7));
        EXPECT_EQ(PhasedRollout::group(reread), group); // kept, not drawn again
    }
}
