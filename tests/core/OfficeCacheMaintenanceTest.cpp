#include "core/OfficeCacheMaintenance.h"

#include "platform/fake/FakeSystemLog.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString key = QStringLiteral("zentrope.lastLaunchedShortVersion");

class OfficeCacheMaintenanceTest : public ::testing::Test
{
protected:
    void setVersion(const QString& version)
    {
        app.writeInfoPlist({{QStringLiteral("CFBundleShortVersionString"), version}});
    }
    // Both cache folders of `host`, with something inside each.
    static QStringList fillCaches(OfficeHost host)
    {
        const QString library = host.containerDataLibrary();
        const QStringList folders{
            library + QStringLiteral("/Caches"),
            library + QStringLiteral("/Application Support/Microsoft/Office/16.0/Wef")};
        for (const QString& folder : folders)
            writeFileAt(folder + QStringLiteral("/nested/cache.bin"), "x");
        return folders;
    }
    static bool anyExists(const QStringList& paths)
    {
        return std::any_of(paths.begin(), paths.end(),
                           [](const QString& path) { return QFileInfo::exists(path); });
    }
    QList<OfficeHost> flush()
    {
        return OfficeCacheMaintenance::flushIfUpdated(defaults, app.bundle(), log);
    }

    TemporaryHome home;
    TestBundle app;
    UserDefaults defaults{home.path() + QStringLiteral("/defaults.conf")};
    platform::FakeSystemLog log;
};

TEST_F(OfficeCacheMaintenanceTest, TheCurrentVersionIsTheShortVersionWhenItIsText)
{
    EXPECT_EQ(OfficeCacheMaintenance::currentVersion(app.bundle()), QString());
    setVersion(QStringLiteral("2.1"));
    EXPECT_EQ(OfficeCacheMaintenance::currentVersion(app.bundle()), QStringLiteral("2.1"));
    app.writeFile(
        QStringLiteral("Info.plist"),
        "<plist><dict><key>CFBundleShortVersionString</key><integer>2</integer></dict></plist>");
    EXPECT_EQ(OfficeCacheMaintenance::currentVersion(app.bundle()), QString());
}

TEST_F(OfficeCacheMaintenanceTest, FirstLaunchAndSameVersionFlushNothing)
{
    const QStringList caches = fillCaches(OfficeHost::word);
    setVersion(QStringLiteral("1.0"));
    EXPECT_TRUE(flush().isEmpty());
    EXPECT_EQ(defaults.stringValue(key), QStringLiteral("1.0"));
    EXPECT_TRUE(flush().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(caches[0]) && QFileInfo::exists(caches[1]));
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST_F(OfficeCacheMaintenanceTest, AChangedVersionFlushesEveryInstalledHostOnce)
{
    const QStringList wordCaches = fillCaches(OfficeHost::word);
    const QStringList powerpointCaches = fillCaches(OfficeHost::powerpoint);
    QDir().mkpath(OfficeHost(OfficeHost::powerpoint).containerDataLibrary() +
                  QStringLiteral("/Preferences"));
    defaults.setString(key, QStringLiteral("1.1"));
    setVersion(QStringLiteral("1.0")); // a downgrade is a change too

    EXPECT_EQ(flush(), (QList<OfficeHost>{OfficeHost::word, OfficeHost::powerpoint}));
    EXPECT_FALSE(anyExists(wordCaches + powerpointCaches));
    EXPECT_TRUE(QFileInfo::exists(OfficeHost(OfficeHost::powerpoint).containerDataLibrary() +
                                  QStringLiteral("/Preferences")));
    EXPECT_EQ(log.lines(),
              QStringList{QStringLiteral("Zentrope: update 1.1 → 1.0; flushed Office add-in caches "
                                         "for Microsoft Word, Microsoft PowerPoint")});
    EXPECT_EQ(defaults.stringValue(key), QStringLiteral("1.0"));
    EXPECT_TRUE(flush().isEmpty());
}

TEST_F(OfficeCacheMaintenanceTest, AChangedVersionWithoutHostsOnlyStoresTheVersion)
{
    defaults.setString(key, QStringLiteral("1.0"));
    setVersion(QStringLiteral("1.1"));
    EXPECT_TRUE(flush().isEmpty());
    EXPECT_TRUE(log.lines().isEmpty());
    EXPECT_EQ(defaults.stringValue(key), QStringLiteral("1.1"));
}

TEST_F(OfficeCacheMaintenanceTest, WithoutAShortVersionNothingIsReadStoredOrDeleted)
{
    const QStringList caches = fillCaches(OfficeHost::excel);
    defaults.setString(key, QStringLiteral("1.0"));
    EXPECT_TRUE(flush().isEmpty());
    EXPECT_EQ(defaults.stringValue(key), QStringLiteral("1.0"));
    EXPECT_TRUE(QFileInfo::exists(caches[0]) && QFileInfo::exists(caches[1]));
}

} // namespace
