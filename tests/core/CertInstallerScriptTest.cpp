// The real installer script from the assembled bundle, with its trust step
// redirected into a temporary folder: the system's trust store is never
// touched. openssl trusts that folder's bundle through SSL_CERT_FILE.
#include "core/CertificateValidity.h"
#include "core/DaemonManager.h"
#include "core/SetupCheck.h"
#include "platform/linux/OpensslCertificateTrust.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/StatusRecorder.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CertInstallerScriptTest : public ::testing::Test
{
protected:
    CertInstallerScriptTest()
    {
        environment.set("HOME", home.path().toUtf8());
        environment.set("ZENTROPE_CERT_TRUST_DIR", trust().toUtf8());
        environment.set("SSL_CERT_FILE", (trust() + QStringLiteral("/ca-bundle.pem")).toUtf8());
        environment.set("SSL_CERT_DIR", home.filePath(QStringLiteral("no-system-roots")).toUtf8());
    }

    Result<QString> install()
    {
        auto future = SetupCheck::installCert(Bundle(QStringLiteral(ZENTROPE_APP_DIR)));
        EXPECT_TRUE(waitUntil([&] { return future.isFinished(); }, std::chrono::seconds(60)));
        return future.isFinished() ? future.result() : Result<QString>(Error{});
    }

    QString trust() const { return home.filePath(QStringLiteral("trust")); }
    QString certs() const { return home.filePath(QStringLiteral(".zentrope/certs")); }
    QString cert() const { return certs() + QStringLiteral("/localhost.crt"); }
    QByteArray read(const QString& name) const { return readFileAt(certs() + u'/' + name); }

    QTemporaryDir home;
    ScopedEnvironment environment;
};

// Starts the stand-in daemon with the current HOME and answers the address it serves.
QString startDaemon(DaemonManager& manager, const QString& logs)
{
    ScopedEnvironment port("ZENTROPE_DAEMON_PORT", "0");
    manager.start();
    const QRegularExpression listening(QStringLiteral("listening on (\\S+)"));
    QString address;
    waitUntil([&] {
        address =
            listening.match(QString::fromUtf8(readFileAt(logs + QStringLiteral("/daemon.log"))))
                .captured(1);
        return !address.isEmpty();
    });
    return address;
}

} // namespace

TEST_F(CertInstallerScriptTest, InstallsATrustedCertificateTheDaemonServes)
{
    const Result<QString> installed = install();
    ASSERT_TRUE(installed.ok()) << installed.error().description.toStdString();
    EXPECT_TRUE(installed.value().contains(QStringLiteral("valid and trusted for SSL")));

    EXPECT_EQ(QFile::permissions(certs()) & 0x7777, QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ExeOwner | QFile::ReadUser |
                                                        QFile::WriteUser | QFile::ExeUser);
    for (const char* key : {"/ca.key", "/localhost.key"}) {
        EXPECT_EQ(QFile::permissions(certs() + QString::fromUtf8(key)) & 0x7777,
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }
    const CertificateValidity validity;
    EXPECT_TRUE(validity.isValidForAtLeastDays(cert(), 824));
    EXPECT_FALSE(validity.isValidForAtLeastDays(cert(), 826)); // at most 825 days
    EXPECT_TRUE(platform::OpensslCertificateTrust().isTrustedForSsl(cert()));

    QTemporaryDir logs;
    DaemonManager manager(Bundle(QStringLiteral(ZENTROPE_APP_DIR)), logs.path());
    StatusRecorder recorder(manager);
    const QString address = startDaemon(manager, logs.path());
    ASSERT_TRUE(address.startsWith(QStringLiteral("https://127.0.0.1:")))
        << address.toStdString()
        << readFileAt(logs.filePath(QStringLiteral("daemon.err"))).toStdString();

    QNetworkRequest request(QUrl(address + QStringLiteral("/api/status")));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates(QSslCertificate::fromPath(certs() + QStringLiteral("/ca.crt")));
    request.setSslConfiguration(tls);
    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> reply(network.get(request));
    ASSERT_TRUE(waitUntil([&] { return reply->isFinished(); }));
    EXPECT_EQ(reply->error(), QNetworkReply::NoError) << reply->errorString().toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(reply->readAll()).object().value(QStringLiteral("ok")),
              QJsonValue(true));
    manager.stop();
    EXPECT_TRUE(recorder.waitForChildEnds());
}

TEST_F(CertInstallerScriptTest, ASecondRunChangesNothing)
{
    ASSERT_TRUE(install().ok());
    const QByteArray crt = read(QStringLiteral("localhost.crt"));
    const QByteArray ca = read(QStringLiteral("ca.crt"));
    const Result<QString> again = install();
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again.value().contains(QStringLiteral("nothing to do")));
    EXPECT_EQ(read(QStringLiteral("localhost.crt")), crt);
    EXPECT_EQ(read(QStringLiteral("ca.crt")), ca);
}

TEST_F(CertInstallerScriptTest, ABrokenCertificateIsRenewedByTheTrustedCaWithoutTrustingAgain)
{
    ASSERT_TRUE(install().ok());
    const QByteArray ca = read(QStringLiteral("ca.crt"));
    writeFileAt(cert(), "not a certificate");
    QFile::remove(trust() +
                  QStringLiteral("/zentrope-local-ca.crt")); // a trust step would restore it

    const Result<QString> renewed = install();
    ASSERT_TRUE(renewed.ok()) << renewed.error().description.toStdString();
    EXPECT_EQ(read(QStringLiteral("ca.crt")), ca);
    EXPECT_TRUE(platform::OpensslCertificateTrust().isTrustedForSsl(cert()));
    EXPECT_FALSE(QFile::exists(trust() + QStringLiteral("/zentrope-local-ca.crt")));
}

TEST_F(CertInstallerScriptTest, AFailedTrustStepLeavesNothingHalfDone)
{
    writeFileAt(home.filePath(QStringLiteral("file")), "in the way");
    environment.set("ZENTROPE_CERT_TRUST_DIR",
                    home.filePath(QStringLiteral("file/trust")).toUtf8());
    const Result<QString> failed = install();
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().code, 1);
    EXPECT_TRUE(failed.error().description.startsWith(QStringLiteral("Cert install failed:\n")));
    EXPECT_TRUE(failed.error().description.contains(QStringLiteral("Error: Could not trust")));
    EXPECT_EQ(QDir(certs()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
}
