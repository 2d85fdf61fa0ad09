#include "core/base/UserDefaults.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QVariantList everyValue(const UserDefaults& defaults)
{
    using namespace DefaultsKeys;
    return {defaults.value(firstRunCompleted),
            defaults.value(launchAtLoginRegistered),
            defaults.value(betaChannelEnabled),
            defaults.value(crashAlerts),
            defaults.value(automaticallyChecksForUpdates),
            defaults.value(lastLaunchedShortVersion),
            defaults.value(skippedVersion),
            defaults.value(lastUpdateCheckTime),
            defaults.value(updateCheckInterval)};
}

} // namespace

// The names are those other programs (and earlier versions) wrote the file with.
TEST(UserDefaults, EveryKeyReadsItsDefaultUntilTheFileHoldsItsName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"defaults.conf"_s);
    EXPECT_EQ(everyValue(UserDefaults(path)),
              (QVariantList{false, false, false, true, true, QString(), QString(), QString(),
                            qint64(86400)}));
    writeFileAt(path, "[General]\nzentrope.firstRun.completed=true\n"
                      "zentrope.launchAtLogin.registered=true\n"
                      "zentrope.updater.betaChannelEnabled=true\n"
                      "zentrope.notifications.crashAlerts=false\nSUEnableAutomaticChecks=false\n"
                      "zentrope.lastLaunchedShortVersion=1.1\nzentrope.updater.skippedVersion=1.2\n"
                      "SULastCheckTime=t\nSUScheduledCheckInterval=3600\n");
    EXPECT_EQ(
        everyValue(UserDefaults(path)),
        (QVariantList{true, true, true, false, false, u"1.1"_s, u"1.2"_s, u"t"_s, qint64(3600)}));
}

TEST(UserDefaults, ValuesSurviveInTheFileAndAnUnreadableOneReadsAsTheDefault)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"defaults.conf"_s);
    {
        UserDefaults defaults(path);
        defaults.setValue(DefaultsKeys::skippedVersion, u"1.2"_s);
        defaults.setValue(DefaultsKeys::updateCheckInterval, qint64(3600));
        EXPECT_TRUE(defaults.sync());
    }
    UserDefaults again(path);
    EXPECT_EQ(again.value(DefaultsKeys::skippedVersion), u"1.2"_s);
    EXPECT_EQ(again.value(DefaultsKeys::updateCheckInterval), 3600);
    again.remove(DefaultsKeys::skippedVersion);
    EXPECT_FALSE(again.contains(DefaultsKeys::skippedVersion));

    // As another program (or a hand) may have written it.
    writeFileAt(path, "[General]\nSUScheduledCheckInterval=often\n");
    EXPECT_EQ(UserDefaults(path).value(DefaultsKeys::updateCheckInterval), 86400);
}

TEST(UserDefaults, TheStandardStoreLivesInTheUsersConfigFolder)
{
    // The test main points XDG_CONFIG_HOME into a throwaway home.
    EXPECT_EQ(UserDefaults::standard().filePath(),
              QDir::homePath() + u"/.config/Zentrope/Zentrope.conf"_s);
}
