// The real installer script from the assembled bundle, its trust step redirected
// into a temporary folder that openssl trusts through SSL_CERT_FILE.
#include "core/api/DaemonChannel.h"
#include "core/daemon/DaemonManager.h"
#include "core/setup/CertificateValidity.h"
#include "core/setup/SetupCheck.h"
#include "platform/linux/OpensslCertificateTrust.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CertInstallerScriptTest : public ::testing::Test
{
protected:
    CertInstallerScriptTest()
    {
        environment.set("HOME", home.path().toUtf8());
        environment.set("ZENTROPE_CERT_TRUST_DIR", trust().toUtf8());
        environment.set("SSL_CERT_FILE", (trust() + u"/ca-bundle.pem"_s).toUtf8());
        environment.set("SSL_CERT_DIR", home.filePath(u"no-system-roots"_s).toUtf8());
    }

    static Result<QString> install()
    {
        return awaitResult(SetupCheck::installCert(Bundle(QStringLiteral(ZENTROPE_APP_DIR))),
                           std::chrono::seconds(60));
    }
    QString trust() const { return home.filePath(u"trust"_s); }
    QString certs(const QString& name = {}) const
    {
        return home.filePath(u".zentrope/certs/"_s + name);
    }
    QString cert() const { return certs(u"localhost.crt"_s); }

    QTemporaryDir home;
    ScopedEnvironment environment;
};

} // namespace

TEST_F(CertInstallerScriptTest, InstallsATrustedCertificateTheDaemonServesAndKeepsIt)
{
    const Result<QString> installed = install();
    ASSERT_TRUE(installed.ok()) << installed.error().description.toStdString();
    for (const QString& path : {certs(), certs(u"ca.key"_s), certs(u"localhost.key"_s)})
        EXPECT_EQ(QFile::permissions(path) & 0x00FF, 0) << path.toStdString(); // the owner's alone
    const CertificateValidity validity;
    EXPECT_TRUE(validity.isValidForAtLeastDays(cert(), 824));
    EXPECT_FALSE(validity.isValidForAtLeastDays(cert(), 826)); // at most 825 days
    EXPECT_TRUE(platform::OpensslCertificateTrust().isTrustedForSsl(cert()));

    QTemporaryDir logs;
    DaemonManager manager(Bundle(QStringLiteral(ZENTROPE_APP_DIR)), logs.path());
    {
        ScopedEnvironment anyPort("ZENTROPE_DAEMON_PORT", "0");
        manager.start();
    }
    const QRegularExpression listening(u"listening on (https://\\S+)"_s);
    QString address;
    ASSERT_TRUE(waitUntil([&] {
        address = listening.match(QString::fromUtf8(readFileAt(logs.filePath(u"daemon.log"_s))))
                      .captured(1);
        return !address.isEmpty();
    })) << readFileAt(logs.filePath(u"daemon.err"_s)).toStdString();
    DaemonChannel channel(quint16(QUrl(address).port()),
                          QSslCertificate::fromPath(certs(u"ca.crt"_s)));
    const auto status = awaitResult(
        channel.attempt(u"https"_s, u"GET"_s, u"/api/status"_s, std::chrono::seconds(10)));
    ASSERT_TRUE(status.ok()) << status.error().logText().toStdString();
    EXPECT_TRUE(status.value().body.startsWith("{\"ok\":true"));
    manager.stop();

    const QByteArray before = readFileAt(cert()) + readFileAt(certs(u"ca.crt"_s));
    const Result<QString> again = install();
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again.value().contains(u"nothing to do"_s));
    EXPECT_EQ(readFileAt(cert()) + readFileAt(certs(u"ca.crt"_s)), before);
}

TEST_F(CertInstallerScriptTest, AFailedTrustStepLeavesNothingHalfDone)
{
    writeFileAt(home.filePath(u"file"_s), "in the way");
    environment.set("ZENTROPE_CERT_TRUST_DIR", home.filePath(u"file/trust"_s).toUtf8());
    const Result<QString> failed = install();
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().code, 1);
    EXPECT_TRUE(failed.error().description.startsWith(u"Cert install failed:\n"_s));
    EXPECT_TRUE(failed.error().description.contains(u"Error: Could not trust"_s));
    EXPECT_EQ(QDir(certs()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
}

// Killed outright while it makes the keys: the next run installs as if
// nothing had happened, and takes away what the killed one left behind.
TEST_F(CertInstallerScriptTest, ARunKilledHalfWayIsMendedByTheNextOne)
{
    QProcess script;
    script.start(QStringLiteral("/bin/bash"),
                 {QStringLiteral(ZENTROPE_APP_DIR) +
                  QStringLiteral("/Contents/Resources/setup/install-localhost-cert.sh")});
    const auto workFolders = [&] {
        return QDir(certs()).entryList({QStringLiteral(".install.*")},
                                       QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    ASSERT_TRUE(waitUntil([&] { return !workFolders().isEmpty(); }));
    script.kill();
    ASSERT_TRUE(script.waitForFinished());
    ASSERT_EQ(workFolders().size(), 1) << "nothing to mend";

    ASSERT_TRUE(install().ok());
    EXPECT_TRUE(platform::OpensslCertificateTrust().isTrustedForSsl(cert()));
    EXPECT_EQ(workFolders(), QStringList());
}
