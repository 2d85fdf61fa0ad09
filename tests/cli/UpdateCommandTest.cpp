// `zentropectl update` with a fake update framework: a check's lines, the beta setting.
#include "support/InProcessCli.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(UpdateCommand, CheckPrintsWhatItFoundOrWhyItFailed)
{
    InProcessCli cli;
    auto& framework = *cli.fakes.updateFramework;
    EXPECT_EQ(outcome(cli.run(u"update check"_s)), u"0|Zentrope is up to date.\n|"_s);
    EXPECT_EQ(framework.controllersMade(), 1);

    platform::AvailableUpdate update;
    update.displayVersion = u"1.2"_s;
    update.download = QUrl(u"https://example.com/Zentrope-44.zip"_s);
    update.releaseNotesLink = QUrl(u"https://example.com/notes/44"_s);
    framework.checkResult = platform::UpdateCheck{update};
    EXPECT_EQ(cli.run(u"update check"_s).out,
              u"Zentrope 1.2 is available: https://example.com/Zentrope-44.zip\n"
              u"Release notes: https://example.com/notes/44\n"_s);

    // As the update dialog: the release's page when there is nothing to download.
    update.critical = true;
    update.informational = true;
    update.infoLink = QUrl(u"https://example.com/6.0"_s);
    update.releaseNotesLink = QUrl();
    update.releaseNotesText = u"Closes a hole.\nSecond paragraph."_s;
    framework.checkResult = platform::UpdateCheck{update};
    EXPECT_EQ(cli.run(u"update check"_s).out,
              u"Zentrope 1.2 is available: https://example.com/6.0\n"
              u"This is a critical update.\n"
              u"This update is informational: there is nothing to download.\n"
              u"Release notes: Closes a hole.\n"_s);

    framework.checkResult = Error{{}, 0, u"No update feed is configured."_s};
    EXPECT_EQ(outcome(cli.run(u"update check"_s)), u"1||No update feed is configured.\n"_s);
}

// Which channel a check then offers is the updater's.
TEST(UpdateCommand, BetaShowsOrWritesTheSetting)
{
    InProcessCli cli;
    EXPECT_EQ(cli.run(u"update beta on"_s).out, u"Beta updates are on.\n"_s);
    EXPECT_TRUE(cli.defaults().value(DefaultsKeys::betaChannelEnabled));
    EXPECT_EQ(cli.run(u"update beta"_s).out, u"Beta updates are on.\n"_s);
    EXPECT_EQ(cli.run(u"update beta off"_s).out, u"Beta updates are off.\n"_s);
    EXPECT_EQ(cli.fakes.updateFramework->controllersMade(), 0); // the updater was not started
}
