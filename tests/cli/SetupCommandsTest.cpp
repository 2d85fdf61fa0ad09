// `zentropectl install-cert` and `zentropectl login-item`, in-process: what
// they print and how they exit. The installer's own rules are SetupCheck's,
// the login item's the platform backend's.
#include "support/InProcessCli.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SetupCommands, InstallCertPrintsTheScriptsOutputThenTheOutcome)
{
    InProcessCli cli;
    EXPECT_EQ(outcome(cli.run(u"install-cert"_s)), u"1||Bundled cert installer missing.\n"_s);
    const auto script = [&](const QByteArray& body) {
        cli.bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s, body);
    };
    script("echo 'Making the certificate…'\necho 'Trusted.' >&2\n");
    EXPECT_EQ(outcome(cli.run(u"install-cert"_s)),
              u"0|Making the certificate…\nTrusted.\n"
              u"Cert installed. The daemon may need a restart.\n|"_s);
    script("echo 'User canceled.'\nexit 5\n");
    EXPECT_EQ(outcome(cli.run(u"install-cert"_s)), u"1||Cert install failed:\nUser canceled.\n"_s);
}

TEST(SetupCommands, LoginItemShowsAndSwitchesTheStatusAndPassesFailuresOn)
{
    InProcessCli cli;
    EXPECT_EQ(outcome(cli.run(u"login-item"_s)), u"0|not registered\n|"_s);
    EXPECT_EQ(outcome(cli.run(u"login-item on"_s)), u"0|enabled\n|"_s);
    EXPECT_EQ(outcome(cli.run(u"login-item off"_s)), u"0|not registered\n|"_s);
    EXPECT_EQ(cli.fakes.loginItem->registrations, 1);
    EXPECT_EQ(cli.fakes.loginItem->unregistrations, 1);
    cli.fakes.loginItem->registrationError = Error{{}, 1, u"Not allowed here."_s};
    EXPECT_EQ(outcome(cli.run(u"login-item on"_s)), u"1||Not allowed here.\n"_s);
}
