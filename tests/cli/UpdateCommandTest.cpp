// `zentropectl update`, in-process with a fake update framework: what a check
// prints and how it exits, and the beta setting it writes. Which channel a
// check offers is the updater's, tested with the appcast client.
#include "support/InProcessCli.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(UpdateCommand, CheckPrintsWhatItFoundOrWhyItFailed)
{
    InProcessCli cli;
    auto& framework = *cli.fakes.updateFramework;
    const CliRun upToDate = cli.run(u"update check"_s);
    EXPECT_EQ(upToDate.exitCode, 0);
    EXPECT_EQ(upToDate.out, u"Zentrope is up to date.\n"_s);
    EXPECT_EQ(framework.controllersMade(), 1);

    platform::AvailableUpdate update;
    update.version = u"44"_s;
    update.displayVersion = u"1.2"_s;
    update.download = QUrl(u"https://example.com/Zentrope-44.zip"_s);
    update.releaseNotesLink = QUrl(u"https://example.com/notes/44"_s);
    framework.checkResult = platform::UpdateCheck{update};
    EXPECT_EQ(cli.run(u"update check"_s).out,
              u"Zentrope 1.2 is available: https://example.com/Zentrope-44.zip\n"
              u"Release notes: https://example.com/notes/44\n"_s);

    // What the update dialog would show: critical, and the notes' first line.
    update.critical = true;
    update.releaseNotesLink = QUrl();
    update.releaseNotesText = u"Closes a hole.\nSecond paragraph."_s;
    framework.checkResult = platform::UpdateCheck{update};
    EXPECT_EQ(cli.run(u"update check"_s).out,
              u"Zentrope 1.2 is available: https://example.com/Zentrope-44.zip\n"
              u"This is a critical update.\n"
              u"Release notes: Closes a hole.\n"_s);

    // Informational: nothing to download, the release's page instead.
    platform::AvailableUpdate page;
    page.displayVersion = u"6.0b"_s;
    page.informational = true;
    page.infoLink = QUrl(u"https://example.com/6.0"_s);
    framework.checkResult = platform::UpdateCheck{page};
    EXPECT_EQ(cli.run(u"update check"_s).out,
              u"Zentrope 6.0b is available: https://example.com/6.0\n"
              u"This update is informational: there is nothing to download.\n"_s);

    framework.checkResult = Error{{}, 0, u"No update feed is configured."_s};
    const CliRun failed = cli.run(u"update check"_s);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, QString());
    EXPECT_EQ(failed.err, u"No update feed is configured.\n"_s);
}

TEST(UpdateCommand, BetaShowsOrWritesTheSetting)
{
    InProcessCli cli;
    EXPECT_EQ(cli.run(u"update beta"_s).out, u"Beta updates are off.\n"_s);
    EXPECT_EQ(cli.run(u"update beta on"_s).out, u"Beta updates are on.\n"_s);
    EXPECT_TRUE(cli.defaults().value(DefaultsKeys::betaChannelEnabled));
    EXPECT_EQ(cli.run(u"update beta"_s).out, u"Beta updates are on.\n"_s);
    EXPECT_EQ(cli.run(u"update beta off"_s).out, u"Beta updates are off.\n"_s);
    EXPECT_FALSE(cli.defaults().value(DefaultsKeys::betaChannelEnabled));
    EXPECT_EQ(cli.fakes.updateFramework->controllersMade(), 0); // the updater was not started
}
