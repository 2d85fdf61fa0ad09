#include "core/base/UserDefaults.h"

#include "support/Printers.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(UserDefaults, ValuesSurviveAcrossInstancesOfTheSameStore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("defaults.conf"));
    {
        UserDefaults defaults(path);
        EXPECT_FALSE(defaults.boolValue(QStringLiteral("zentrope.firstRun.completed")));
        EXPECT_FALSE(defaults.contains(QStringLiteral("zentrope.firstRun.completed")));
        defaults.setBool(QStringLiteral("zentrope.firstRun.completed"), true);
        defaults.setString(QStringLiteral("zentrope.lastLaunchedShortVersion"),
                           QStringLiteral("1.2"));
        EXPECT_TRUE(defaults.sync());
    }
    UserDefaults again(path);
    EXPECT_TRUE(again.boolValue(QStringLiteral("zentrope.firstRun.completed")));
    EXPECT_EQ(again.stringValue(QStringLiteral("zentrope.lastLaunchedShortVersion")),
              QStringLiteral("1.2"));
    again.remove(QStringLiteral("zentrope.lastLaunchedShortVersion"));
    EXPECT_FALSE(again.contains(QStringLiteral("zentrope.lastLaunchedShortVersion")));
}

TEST(UserDefaults, TheStandardStoreLivesInTheUsersConfigFolder)
{
    // The test main points XDG_CONFIG_HOME into a throwaway home.
    const QString expected = QDir::homePath() + QStringLiteral("/.config/Zentrope/Zentrope.conf");
    EXPECT_EQ(UserDefaults::standard().filePath(), expected);
}
