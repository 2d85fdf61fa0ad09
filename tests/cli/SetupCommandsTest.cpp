// `zentropectl doctor`, `install-cert` and `login-item` with fakes: what they print, how they exit.
#include "core/office/OfficeHost.h"
#include "core/setup/SetupCheck.h"
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/TestCertificateAuthority.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

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

// The checks themselves are SetupCheck's.
TEST(SetupCommands, DoctorPrintsOneLinePerCheckAndExitsZeroOnlyWhenAllIsInOrder)
{
    InProcessCli cli;
    EXPECT_EQ(outcome(cli.run(u"doctor"_s)),
              u"1|Localhost TLS cert missing\n"
              u"Office add-in: OK (no Office application installed)\n"
              u"Accessibility permission not granted\n"
              u"Setup needed.\n|"_s);

    TestCertificateAuthority().issue(SetupCheck::certificatePath(), 72h);
    cli.fakes.certificateTrust->trusted = true;
    cli.fakes.accessibility->trusted = true;
    const OfficeHost word = OfficeHost::word;
    writeFileAt(word.wefDirectory() + u"/zentrope.manifest.xml"_s, "<OfficeApp/>");
    EXPECT_EQ(outcome(cli.run(u"doctor"_s)), u"0|Localhost TLS cert: OK\n"
                                             u"Office add-in: OK\n"
                                             u"Accessibility permission: OK\n"
                                             u"Setup complete.\n|"_s);

    cli.fakes.accessibility->trusted = false;
    EXPECT_EQ(outcome(cli.run(u"doctor --json"_s)), u"1|{\n"
                                                    u"    \"certInstalled\": true,\n"
                                                    u"    \"certValid\": true,\n"
                                                    u"    \"certTrusted\": true,\n"
                                                    u"    \"anyHostSideloaded\": true,\n"
                                                    u"    \"anyHostInstalled\": true,\n"
                                                    u"    \"accessibilityGranted\": false\n"
                                                    u"}\n|"_s);
}
