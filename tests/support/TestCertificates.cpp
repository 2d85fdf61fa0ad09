#include "TestCertificates.h"

#include "TestBundle.h"

#include <QProcess>
#include <gtest/gtest.h>

const TestCertificates& TestCertificates::shared()
{
    static const TestCertificates certificates;
    return certificates;
}

TestCertificates::TestCertificates()
{
    const QString ecKey = QStringLiteral("ec:%1").arg(m_dir.filePath(QStringLiteral("p256.pem")));
    openssl({QStringLiteral("ecparam"), QStringLiteral("-name"), QStringLiteral("prime256v1"),
             QStringLiteral("-out"), m_dir.filePath(QStringLiteral("p256.pem"))});
    openssl({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-nodes"),
             QStringLiteral("-newkey"), ecKey, QStringLiteral("-keyout"),
             m_dir.filePath(QStringLiteral("ca.key")), QStringLiteral("-out"), caCertificatePath(),
             QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
             QStringLiteral("/CN=Zentrope Test CA")});
    openssl({QStringLiteral("req"), QStringLiteral("-new"), QStringLiteral("-nodes"),
             QStringLiteral("-newkey"), ecKey, QStringLiteral("-keyout"), serverKeyPath(),
             QStringLiteral("-out"), m_dir.filePath(QStringLiteral("server.csr")),
             QStringLiteral("-subj"), QStringLiteral("/CN=localhost")});
    const QString extensions = writeFileAt(m_dir.filePath(QStringLiteral("server.ext")),
                                           "subjectAltName=IP:127.0.0.1,DNS:localhost\n"
                                           "extendedKeyUsage=serverAuth\n");
    openssl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
             m_dir.filePath(QStringLiteral("server.csr")), QStringLiteral("-CA"),
             caCertificatePath(), QStringLiteral("-CAkey"),
             m_dir.filePath(QStringLiteral("ca.key")), QStringLiteral("-set_serial"),
             QStringLiteral("2"), QStringLiteral("-days"), QStringLiteral("2"),
             QStringLiteral("-extfile"), extensions, QStringLiteral("-out"),
             serverCertificatePath()});
}

void TestCertificates::openssl(const QStringList& arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/usr/bin/openssl"), arguments);
    const bool finished = process.waitForFinished(30000);
    ASSERT_TRUE(finished && process.exitCode() == 0)
        << "openssl " << arguments.join(u' ').toStdString() << ": "
        << process.readAll().toStdString();
}

QSslCertificate TestCertificates::caCertificate() const
{
    return QSslCertificate::fromPath(caCertificatePath()).value(0);
}

QSslCertificate TestCertificates::serverCertificate() const
{
    return QSslCertificate::fromPath(serverCertificatePath()).value(0);
}

QSslKey TestCertificates::serverKey() const
{
    return QSslKey(readFileAt(serverKeyPath()), QSsl::Ec);
}
