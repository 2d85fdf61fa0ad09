#include "TestCertificateAuthority.h"

#include "TestBundle.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// `openssl ca` is what can end a certificate at a given second.
const QByteArray configuration = R"([ca]
default_ca = test
[test]
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
unique_subject = no
[any]
commonName = supplied
[req]
distinguished_name = dn
prompt = no
x509_extensions = root
[dn]
CN = Zentrope Test CA
[root]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign
[server]
basicConstraints = CA:FALSE
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost, IP:127.0.0.1
)";

} // namespace

TestCertificateAuthority::TestCertificateAuthority()
{
    writeFileAt(m_folder.filePath(QStringLiteral("openssl.cnf")), configuration);
    writeFileAt(m_folder.filePath(QStringLiteral("index.txt")), {});
    writeFileAt(m_folder.filePath(QStringLiteral("serial")), "01\n");
    openssl(QStringLiteral("req -x509 -newkey rsa:2048 -nodes -days 30 -config openssl.cnf "
                           "-keyout ca.key -out ca.crt"));
}

void TestCertificateAuthority::issue(const QString& path, std::chrono::seconds lifetime) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString key = path.chopped(4) + QStringLiteral(".key");
    openssl(QStringLiteral("req -newkey rsa:2048 -nodes -subj /CN=localhost -out request.csr"),
            {QStringLiteral("-keyout"), key});
    const QString end = QDateTime::currentDateTimeUtc()
                            .addSecs(lifetime.count())
                            .toString(QStringLiteral("yyyyMMddHHmmss'Z'"));
    openssl(QStringLiteral("ca -batch -notext -config openssl.cnf -extensions server "
                           "-keyfile ca.key -cert ca.crt -in request.csr"),
            {QStringLiteral("-enddate"), end, QStringLiteral("-out"), path});
}

void TestCertificateAuthority::openssl(const QString& arguments, const QStringList& more) const
{
    QProcess process;
    process.setWorkingDirectory(m_folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/usr/bin/openssl"), arguments.split(u' ') + more);
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
}
