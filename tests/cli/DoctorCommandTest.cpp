// `zentropectl doctor`, in-process with fake trust and accessibility: its
// lines, its JSON and its exit code. The checks themselves are SetupCheck's.
#include "core/office/OfficeHost.h"
#include "core/setup/SetupCheck.h"
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/TestCertificateAuthority.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

TEST(DoctorCommand, OneLinePerCheckAndExitsZeroOnlyWhenAllIsInOrder)
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
