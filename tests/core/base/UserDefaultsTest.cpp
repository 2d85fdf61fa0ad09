#include "core/base/UserDefaults.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(UserDefaults, EveryKeyHasItsNameAndReadsItsDefaultUntilSet)
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(u"defaults.conf"_s));
    const std::pair<const DefaultsKey<bool>&, QString> flags[] = {
        {DefaultsKeys::firstRunCompleted, u"zentrope.firstRun.completed"_s},
        {DefaultsKeys::launchAtLoginRegistered, u"zentrope.launchAtLogin.registered"_s},
        {DefaultsKeys::betaChannelEnabled, u"zentrope.updater.betaChannelEnabled"_s},
        {DefaultsKeys::crashAlerts, u"zentrope.notifications.crashAlerts"_s},
        {DefaultsKeys::automaticallyChecksForUpdates, u"SUEnableAutomaticChecks"_s},
    };
    for (const auto& [key, name] : flags) {
        EXPECT_EQ(key.name, name);
        EXPECT_FALSE(defaults.contains(key));
        const bool expected =
            name == u"zentrope.notifications.crashAlerts" || name == u"SUEnableAutomaticChecks";
        EXPECT_EQ(defaults.value(key), expected) << name.toStdString();
    }
    const std::pair<const DefaultsKey<QString>&, QString> texts[] = {
        {DefaultsKeys::lastLaunchedShortVersion, u"zentrope.lastLaunchedShortVersion"_s},
        {DefaultsKeys::skippedVersion, u"zentrope.updater.skippedVersion"_s},
        {DefaultsKeys::lastUpdateCheckTime, u"SULastCheckTime"_s},
    };
    for (const auto& [key, name] : texts) {
        EXPECT_EQ(key.name, name);
        EXPECT_EQ(defaults.value(key), QString()) << name.toStdString();
    }
    EXPECT_EQ(DefaultsKeys::updateCheckInterval.name, u"SUScheduledCheckInterval"_s);
    EXPECT_EQ(defaults.value(DefaultsKeys::updateCheckInterval), 86400);
}

TEST(UserDefaults, ValuesSurviveInTheFileAndAnUnreadableOneReadsAsTheDefault)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"defaults.conf"_s);
    {
        UserDefaults defaults(path);
        defaults.setValue(DefaultsKeys::crashAlerts, false);
        defaults.setValue(DefaultsKeys::skippedVersion, u"1.2"_s);
        defaults.setValue(DefaultsKeys::updateCheckInterval, qint64(3600));
        EXPECT_TRUE(defaults.sync());
    }
    UserDefaults again(path);
    EXPECT_FALSE(again.value(DefaultsKeys::crashAlerts));
    EXPECT_EQ(again.value(DefaultsKeys::skippedVersion), u"1.2"_s);
    EXPECT_EQ(again.value(DefaultsKeys::updateCheckInterval), 3600);
    again.remove(DefaultsKeys::skippedVersion);
    EXPECT_FALSE(again.contains(DefaultsKeys::skippedVersion));

    // As another program (or a hand) may have written them.
    writeFileAt(path, "[General]\nSUScheduledCheckInterval=often\n"
                      "zentrope.firstRun.completed=true\n");
    UserDefaults edited(path);
    EXPECT_EQ(edited.value(DefaultsKeys::updateCheckInterval), 86400);
    EXPECT_TRUE(edited.value(DefaultsKeys::firstRunCompleted));
}

TEST(UserDefaults, TheStandardStoreLivesInTheUsersConfigFolder)
{
    // The test main points XDG_CONFIG_HOME into a throwaway home.
    const QString expected = QDir::homePath() + u"/.config/Zentrope/Zentrope.conf"_s;
    EXPECT_EQ(UserDefaults::standard().filePath(), expected);
}
