#include "platform/appcast/PhasedRollout.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PhasedRollout, TheGroupIsTheInstallationsNumberModuloSevenDrawnOnce)
{
    QTemporaryDir scratch;
    UserDefaults defaults(scratch.filePath(u"defaults"_s));
    const QString key = u"zentrope.updater.updateGroupIdentifier"_s;
    defaults.setValue(key, 13);
    EXPECT_EQ(PhasedRollout::group(defaults), 6);
    defaults.setValue(key, 4294967295u);
    EXPECT_EQ(PhasedRollout::group(defaults), 3);

    defaults.remove(key);
    for (const QString& unusable : {QString(), u"x"_s, u"-1"_s, u"4294967296"_s}) {
        if (!unusable.isNull())
            defaults.setValue(key, unusable);
        const int group = PhasedRollout::group(defaults);
        const qulonglong drawn = defaults.value(key).toULongLong();
        EXPECT_LE(drawn, 4294967295u);
        EXPECT_EQ(group, int(drawn % 7));
        EXPECT_EQ(PhasedRollout::group(defaults), group); // kept, not drawn again
    }
}
