// Check programs and the two certificate checks, with stand-ins for openssl
// and with the real one on certificates made by test CAs.
#include "core/setup/CertificateValidity.h"
#include "platform/linux/OpensslCertificateTrust.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"
#include "support/TestCertificateAuthority.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

class CertificateChecks : public ::testing::Test
{
protected:
    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    // A program that records its arguments, one a line, and exits `status`.
    CheckProgram recorder(int status) const
    {
        return CheckProgram(writeFileAt(path("recorder"),
                                        "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" +
                                            path("arguments").toUtf8() + "'\nexit " +
                                            QByteArray::number(status) + '\n',
                                        true));
    }
    QByteArray recorded() const { return readFileAt(path("arguments")); }

    QTemporaryDir folder;
};

} // namespace

TEST_F(CertificateChecks, OnlyExitStatusZeroWithinTheBoundAnswersYes)
{
    EXPECT_TRUE(recorder(0).run({u"a b"_s, u"c"_s}));
    EXPECT_EQ(recorded(), "a b\nc\n");
    EXPECT_FALSE(recorder(1).run({}));
    EXPECT_FALSE(CheckProgram(path("missing")).run({}));
    const QString hung =
        writeFileAt(path("hung"),
                    "#!/bin/sh\necho $$ > '" + path("pid").toUtf8() + "'\nexec sleep 600\n", true);
    EXPECT_FALSE(CheckProgram(hung, 300ms).run({}));
    const pid_t pid = readFileAt(path("pid")).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0); // killed and reaped, not left behind
}

TEST_F(CertificateChecks, OpensslIsAskedInTheChecksOwnWords)
{
    const QString cert = writeFileAt(path("localhost.crt"), "PEM");
    EXPECT_TRUE(CertificateValidity(recorder(0)).isValidForAtLeastDays(cert, 2));
    EXPECT_EQ(recorded(), "x509\n-checkend\n172800\n-noout\n-in\n" + cert.toUtf8() + '\n');
    EXPECT_TRUE(platform::OpensslCertificateTrust(recorder(0)).isTrustedForSsl(cert));
    EXPECT_EQ(recorded(), "verify\n-purpose\nsslserver\n" + cert.toUtf8() + '\n');
}

// What is not a certificate file is not valid, at once: openssl would wait
// out its bound on a FIFO, or read a huge file for as long.
TEST_F(CertificateChecks, OnlyARegularFileOfAtMostOneMebibyteIsShownToOpenssl)
{
    const CertificateValidity anythingGoes(recorder(0));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.crt")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(path("folder.crt")));
    const QString huge = writeFileAt(path("huge.crt"), "");
    ASSERT_TRUE(QFile::resize(huge, 1024 * 1024 + 1));
    for (const char* refused : {"fifo.crt", "folder.crt", "huge.crt", "missing.crt"}) {
        EXPECT_FALSE(anythingGoes.isValidForAtLeastDays(path(refused), 1)) << refused;
        EXPECT_FALSE(QFileInfo::exists(path("arguments"))) << refused << " was shown";
    }
    ASSERT_TRUE(QFile::resize(huge, 1024 * 1024));
    EXPECT_TRUE(anythingGoes.isValidForAtLeastDays(huge, 1));
}

// The real openssl on end dates: CertInstallerScript's and SetupEvaluation's suites.
TEST_F(CertificateChecks, RealCertificatesAreTrustedByTheirChain)
{
    TestCertificateAuthority trusted, stranger;
    ScopedEnvironment environment("SSL_CERT_FILE", trusted.caPath().toUtf8());
    environment.set("SSL_CERT_DIR", path("no-system-roots").toUtf8());
    platform::OpensslCertificateTrust trust;
    const QString cert = path("localhost.crt");
    trusted.issue(cert, 72h);
    EXPECT_TRUE(trust.isTrustedForSsl(cert));
    stranger.issue(cert, 72h);
    EXPECT_FALSE(trust.isTrustedForSsl(cert));
}
