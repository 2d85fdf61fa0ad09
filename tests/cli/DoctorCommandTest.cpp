// `zentropectl doctor`, run as the built program with a throwaway home.
#include "core/office/OfficeHost.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"
#include "support/TestCertificateAuthority.h"
#include "support/Zentropectl.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class DoctorCommandTest : public ::testing::Test
{
protected:
    DoctorCommandTest()
    {
        environment.set("SSL_CERT_FILE", ca.caPath().toUtf8());
        environment.set("SSL_CERT_DIR", home.filePath(QStringLiteral("no-system-roots")).toUtf8());
    }

    QString doctor(const QStringList& options = {}) const
    {
        const ToolRun run =
            runZentropectl(bundle, home.path(), QStringList{QStringLiteral("doctor")} + options);
        return QString::number(run.exitCode) + u'|' + run.out + u'|' + run.err;
    }
    QString cert() const { return home.filePath(QStringLiteral(".zentrope/certs/localhost.crt")); }
    // Where the Word container would be under the child's home.
    QString wordWef() const
    {
        return home.filePath(QStringLiteral("Library/Containers/") +
                             OfficeHost(OfficeHost::word).bundleId() +
                             QStringLiteral("/Data/Documents/wef"));
    }

    QTemporaryDir home;
    TestBundle bundle;
    TestCertificateAuthority ca;
    ScopedEnvironment environment;
};

} // namespace

TEST_F(DoctorCommandTest, NamesWhatIsMissingAndFailsUntilAllIsInOrder)
{
    EXPECT_EQ(doctor(), QStringLiteral("1|Localhost TLS cert missing\n"
                                       "Office add-in: OK (no Office application installed)\n"
                                       "Accessibility permission: OK\n"
                                       "Setup needed.\n|"));
    TestCertificateAuthority().issue(cert(), 72h);
    writeFileAt(wordWef() + QStringLiteral("/unrelated.txt"), "");
    EXPECT_EQ(doctor(), QStringLiteral("1|Localhost TLS cert not trusted\n"
                                       "Add-in not yet sideloaded into Office\n"
                                       "Accessibility permission: OK\n"
                                       "Setup needed.\n|"));
    ca.issue(cert(), 72h);
    writeFileAt(wordWef() + QStringLiteral("/zentrope.manifest.xml"), "<OfficeApp/>");
    EXPECT_EQ(doctor(), QStringLiteral("0|Localhost TLS cert: OK\n"
                                       "Office add-in: OK\n"
                                       "Accessibility permission: OK\n"
                                       "Setup complete.\n|"));
}

TEST_F(DoctorCommandTest, JsonGivesTheSixFlagsByName)
{
    ca.issue(cert(), 12h);
    EXPECT_EQ(doctor({QStringLiteral("--json")}),
              QStringLiteral("1|{\n"
                             "    \"certInstalled\": true,\n"
                             "    \"certValid\": false,\n"
                             "    \"certTrusted\": false,\n"
                             "    \"anyHostSideloaded\": false,\n"
                             "    \"anyHostInstalled\": false,\n"
                             "    \"accessibilityGranted\": true\n"
                             "}\n|"));
    EXPECT_TRUE(doctor({QStringLiteral("now")}).startsWith(QStringLiteral("2||zentropectl: ")));
}
