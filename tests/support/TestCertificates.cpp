#include "TestCertificates.h"

#include "TestBundle.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QByteArray configuration = R"([ca]
default_ca = test
[test]
dir = .
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
unique_subject = no
copy_extensions = copy
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

QString keyPath(const QString& certificatePath)
{
    QString path = certificatePath;
    path.chop(4);
    return path + QStringLiteral(".key");
}

} // namespace

void runOpenssl(const QString& folder, const QStringList& arguments)
{
    QProcess openssl;
    openssl.setWorkingDirectory(folder);
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("/usr/bin/openssl"), arguments);
    ASSERT_TRUE(openssl.waitForFinished(60000));
    ASSERT_EQ(openssl.exitCode(), 0) << openssl.readAll().toStdString();
}

TestCertificates::TestCertificates()
{
    writeFileAt(m_folder.filePath(QStringLiteral("openssl.cnf")), configuration);
    writeFileAt(m_folder.filePath(QStringLiteral("index.txt")), {});
    writeFileAt(m_folder.filePath(QStringLiteral("serial")), "01\n");
    runOpenssl(m_folder.path(),
               QStringLiteral("req -x509 -newkey rsa:2048 -nodes -days 30 -config openssl.cnf "
                              "-keyout ca.key -out ca.crt")
                   .split(u' '));
}

void TestCertificates::issue(const QString& path, std::chrono::seconds lifetime) const
{
    const QString end = QDateTime::currentDateTimeUtc()
                            .addSecs(lifetime.count())
                            .toString(QStringLiteral("yyyyMMddHHmmss'Z'"));
    const QString request = m_folder.filePath(QStringLiteral("request.csr"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    runOpenssl(m_folder.path(),
               {QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                QStringLiteral("-nodes"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                QStringLiteral("-keyout"), keyPath(path), QStringLiteral("-out"), request});
    runOpenssl(m_folder.path(),
               QStringLiteral("ca -batch -notext -config openssl.cnf -extensions server "
                              "-keyfile ca.key -cert ca.crt")
                       .split(u' ') +
                   QStringList{QStringLiteral("-enddate"), end, QStringLiteral("-in"), request,
                               QStringLiteral("-out"), path});
}

void TestCertificates::issueSelfSigned(const QString& path) const
{
    runOpenssl(m_folder.path(),
               {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                QStringLiteral("365"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                QStringLiteral("-addext"), QStringLiteral("extendedKeyUsage=serverAuth"),
                QStringLiteral("-keyout"), keyPath(path), QStringLiteral("-out"), path});
}
