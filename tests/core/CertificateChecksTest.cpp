// Check programs and the two certificate checks, with the real openssl and
// certificates made for each test.
#include "core/CertificateValidity.h"
#include "core/CheckProgram.h"
#include "platform/linux/OpensslCertificateTrust.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"
#include "support/TestCertificates.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class CertificateChecks : public ::testing::Test
{
protected:
    // A check program that records its arguments, one a line, and exits `status`.
    QString recorder(int status)
    {
        return writeFileAt(folder.filePath(QStringLiteral("recorder")),
                           "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" +
                               folder.filePath(QStringLiteral("arguments")).toUtf8() + "'\nexit " +
                               QByteArray::number(status) + "\n",
                           true);
    }
    QByteArray recordedArguments() const
    {
        return readFileAt(folder.filePath(QStringLiteral("arguments")));
    }
    QString certificate() const { return folder.filePath(QStringLiteral("localhost.crt")); }

    QTemporaryDir folder;
};

} // namespace

TEST_F(CertificateChecks, OnlyExitStatusZeroAnswersYes)
{
    EXPECT_TRUE(CheckProgram(recorder(0)).run({QStringLiteral("a b"), QStringLiteral("c")}));
    EXPECT_EQ(recordedArguments(), "a b\nc\n");
    EXPECT_FALSE(CheckProgram(recorder(1)).run({}));
    EXPECT_FALSE(CheckProgram(folder.filePath(QStringLiteral("missing"))).run({}));
    const QString notExecutable = writeFileAt(folder.filePath(QStringLiteral("plain")), "exit 0\n");
    EXPECT_FALSE(CheckProgram(notExecutable).run({}));
}

TEST_F(CertificateChecks, OutputGoesNowhereSoMuchOfItCannotStallTheCheck)
{
    const QString chatty = writeFileAt(folder.filePath(QStringLiteral("chatty")),
                                       "#!/bin/sh\nhead -c 4194304 /dev/zero\n"
                                       "head -c 4194304 /dev/zero >&2\nexit 0\n",
                                       true);
    EXPECT_TRUE(CheckProgram(chatty).run({}));
}

TEST_F(CertificateChecks, AHungProgramIsKilledAtTheBoundAndAnswersNo)
{
    const QString pidFile = folder.filePath(QStringLiteral("pid"));
    const QString hung =
        writeFileAt(folder.filePath(QStringLiteral("hung")),
                    "#!/bin/sh\necho $$ > '" + pidFile.toUtf8() + "'\nexec sleep 600\n", true);
    EXPECT_FALSE(CheckProgram(hung, 300ms).run({}));
    const pid_t pid = readFileAt(pidFile).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0); // killed and reaped, not left behind
}

TEST_F(CertificateChecks, ValidityAsksOpensslForTheDaysInSeconds)
{
    EXPECT_TRUE(
        CertificateValidity(CheckProgram(recorder(0))).isValidForAtLeastDays(certificate(), 1));
    EXPECT_EQ(recordedArguments(),
              "x509\n-checkend\n86400\n-noout\n-in\n" + certificate().toUtf8() + '\n');
    EXPECT_FALSE(
        CertificateValidity(CheckProgram(recorder(1))).isValidForAtLeastDays(certificate(), 1));
}

TEST_F(CertificateChecks, ValidityFollowsTheCertificatesEndDate)
{
    TestCertificates certificates;
    const CertificateValidity validity;
    EXPECT_FALSE(validity.isValidForAtLeastDays(certificate(), 1)); // no file
    certificates.issue(certificate(), 12h);
    EXPECT_FALSE(validity.isValidForAtLeastDays(certificate(), 1));
    certificates.issue(certificate(), 72h);
    EXPECT_TRUE(validity.isValidForAtLeastDays(certificate(), 1));
    EXPECT_FALSE(validity.isValidForAtLeastDays(certificate(), 4));
    EXPECT_FALSE(CertificateValidity(CheckProgram(folder.filePath(QStringLiteral("no-openssl"))))
                     .isValidForAtLeastDays(certificate(), 1));
}

TEST_F(CertificateChecks, TrustAsksOpensslToVerifyForSslServers)
{
    platform::OpensslCertificateTrust trust{CheckProgram(recorder(0))};
    EXPECT_TRUE(trust.isTrustedForSsl(certificate()));
    EXPECT_EQ(recordedArguments(), "verify\n-purpose\nsslserver\n" + certificate().toUtf8() + '\n');
}

TEST_F(CertificateChecks, TrustNeedsAChainToATrustedRoot)
{
    TestCertificates certificates;
    ScopedEnvironment environment("SSL_CERT_FILE", certificates.caPath().toUtf8());
    environment.set("SSL_CERT_DIR", folder.filePath(QStringLiteral("no-roots")).toUtf8());
    platform::OpensslCertificateTrust trust;
    certificates.issue(certificate(), 72h);
    EXPECT_TRUE(trust.isTrustedForSsl(certificate()));
    certificates.issueSelfSigned(certificate());
    EXPECT_FALSE(trust.isTrustedForSsl(certificate()));
    certificates.issue(certificate(), 72h);
    environment.unset("SSL_CERT_FILE"); // the system's roots know nothing of the test CA
    EXPECT_FALSE(trust.isTrustedForSsl(certificate()));
    EXPECT_FALSE(platform::OpensslCertificateTrust(
                     CheckProgram(folder.filePath(QStringLiteral("no-openssl"))))
                     .isTrustedForSsl(certificate()));
}
