#include "core/office/OfficeCacheMaintenance.h"

#include "platform/fake/FakeSystemLog.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const DefaultsKey<QString>& key = DefaultsKeys::lastLaunchedShortVersion;

class OfficeCacheMaintenanceTest : public ::testing::Test
{
protected:
    void setVersion(const QString& version)
    {
        app.writeInfoPlist({{u"CFBundleShortVersionString"_s, version}});
    }
    // Fills both cache folders of `host`; true while any of them exists.
    static std::function<bool()> fillCaches(OfficeHost host)
    {
        const QString library = host.containerDataLibrary();
        const QStringList folders{library + u"/Caches"_s,
                                  library + u"/Application Support/Microsoft/Office/16.0/Wef"_s};
        for (const QString& folder : folders)
            writeFileAt(folder + u"/nested/cache.bin"_s, "x");
        return [folders] { return QFileInfo::exists(folders[0]) || QFileInfo::exists(folders[1]); };
    }
    QList<OfficeHost> flush()
    {
        return OfficeCacheMaintenance::flushIfUpdated(defaults, app.bundle(), log);
    }

    TemporaryHome home;
    TestBundle app;
    UserDefaults defaults{home.path() + u"/defaults.conf"_s};
    platform::FakeSystemLog log;
};

TEST_F(OfficeCacheMaintenanceTest, FirstLaunchTheSameVersionOrNoTextShortVersionFlushNothing)
{
    const auto cachesExist = fillCaches(OfficeHost::word);
    setVersion(u"1.0"_s);
    EXPECT_TRUE(flush().isEmpty()) << "first launch";
    EXPECT_EQ(defaults.value(key), u"1.0"_s);
    EXPECT_TRUE(flush().isEmpty()) << "same version";
    app.writeFile(u"Info.plist"_s, "<plist><dict><key>CFBundleShortVersionString</key>"
                                   "<integer>2</integer></dict></plist>");
    EXPECT_EQ(OfficeCacheMaintenance::currentVersion(app.bundle()), QString());
    EXPECT_TRUE(flush().isEmpty()) << "no short version as text";
    EXPECT_EQ(defaults.value(key), u"1.0"_s) << "nothing stored without one";
    EXPECT_TRUE(cachesExist());
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST_F(OfficeCacheMaintenanceTest, AChangedVersionFlushesEveryInstalledHostOnce)
{
    defaults.setValue(key, u"0.9"_s);
    setVersion(u"1.1"_s);
    EXPECT_TRUE(flush().isEmpty()) << "no host installed yet";
    EXPECT_TRUE(log.lines().isEmpty());

    const auto wordCachesExist = fillCaches(OfficeHost::word);
    const auto powerpointCachesExist = fillCaches(OfficeHost::powerpoint);
    const QString kept = OfficeHost(OfficeHost::powerpoint).containerDataLibrary() + u"/Prefs"_s;
    QDir().mkpath(kept);
    setVersion(u"1.0"_s); // a downgrade is a change too

    EXPECT_EQ(flush(), (QList<OfficeHost>{OfficeHost::word, OfficeHost::powerpoint}));
    EXPECT_FALSE(wordCachesExist() || powerpointCachesExist());
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_EQ(log.lines(), QStringList{u"Zentrope: update 1.1 → 1.0; flushed Office add-in caches "
                                       u"for Microsoft Word, Microsoft PowerPoint"_s});
    EXPECT_EQ(defaults.value(key), u"1.0"_s);
    EXPECT_TRUE(flush().isEmpty());
}

} // namespace
