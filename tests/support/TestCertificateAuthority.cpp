#include "TestCertificateAuthority.h"

#include "TestBundle.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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

// Elliptic-curve keys: generating them is fast.
const QString newKey = u" -nodes -newkey ec -pkeyopt ec_paramgen_curve:prime256v1"_s;

} // namespace

TestCertificateAuthority::TestCertificateAuthority()
{
    writeFileAt(m_folder.filePath(u"openssl.cnf"_s), configuration);
    writeFileAt(m_folder.filePath(u"index.txt"_s), {});
    writeFileAt(m_folder.filePath(u"serial"_s), "01\n");
    openssl(u"req -x509 -days 30 -config openssl.cnf -keyout ca.key -out ca.crt"_s + newKey);
    issue(serverPath(), std::chrono::hours(48));
}

QSslCertificate TestCertificateAuthority::caCertificate() const
{
    return QSslCertificate::fromPath(caPath()).value(0);
}

void TestCertificateAuthority::issue(const QString& path, std::chrono::seconds lifetime) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString key = path.chopped(4) + u".key"_s;
    openssl(u"req -subj /CN=localhost -out request.csr"_s + newKey, {u"-keyout"_s, key});
    const QString end =
        QDateTime::currentDateTimeUtc().addSecs(lifetime.count()).toString(u"yyyyMMddHHmmss'Z'"_s);
    openssl(QStringLiteral("ca -batch -notext -config openssl.cnf -extensions server "
                           "-keyfile ca.key -cert ca.crt -in request.csr"),
            {u"-enddate"_s, end, u"-out"_s, path});
}

QSslCertificate TestCertificateAuthority::serverCertificate() const
{
    return QSslCertificate::fromPath(serverPath()).value(0);
}

QSslKey TestCertificateAuthority::serverKey() const
{
    return QSslKey(readFileAt(serverPath().chopped(4) + u".key"_s), QSsl::Ec);
}

void TestCertificateAuthority::openssl(const QString& arguments, const QStringList& more) const
{
    QProcess process;
    process.setWorkingDirectory(m_folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(u"/usr/bin/openssl"_s, arguments.split(u' ') + more);
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0)
        << arguments.toStdString() << ": " << process.readAll().toStdString();
}
