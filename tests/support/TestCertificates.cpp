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
    writeFileAt(m_dir.filePath(QStringLiteral("server.ext")),
                "subjectAltName=IP:127.0.0.1,DNS:localhost\nextendedKeyUsage=serverAuth\n");
    const QString newKey =
        QStringLiteral(" -nodes -newkey ec -pkeyopt ec_paramgen_curve:prime256v1");
    openssl(
        QStringLiteral("req -x509 -days 2 -subj /CN=Zentrope-Test-CA -keyout ca.key -out ca.crt") +
        newKey);
    openssl(QStringLiteral("req -new -subj /CN=localhost -keyout server.key -out server.csr") +
            newKey);
    openssl(QStringLiteral("x509 -req -in server.csr -CA ca.crt -CAkey ca.key -set_serial 2 "
                           "-days 2 -extfile server.ext -out server.crt"));
}

void TestCertificates::openssl(const QString& command) const
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/usr/bin/openssl"), command.split(u' '));
    const bool finished = process.waitForFinished(30000);
    ASSERT_TRUE(finished && process.exitCode() == 0)
        << "openssl " << command.toStdString() << ": " << process.readAll().toStdString();
}

QSslCertificate TestCertificates::caCertificate() const
{
    return QSslCertificate::fromPath(m_dir.filePath(QStringLiteral("ca.crt"))).value(0);
}

QSslCertificate TestCertificates::serverCertificate() const
{
    return QSslCertificate::fromPath(m_dir.filePath(QStringLiteral("server.crt"))).value(0);
}

QSslKey TestCertificates::serverKey() const
{
    return QSslKey(readFileAt(m_dir.filePath(QStringLiteral("server.key"))), QSsl::Ec);
}
