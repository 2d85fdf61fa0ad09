#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTemporaryDir>
#include <chrono>

// A throwaway certificate authority made with the real openssl in a temporary
// folder, and the localhost certificates it signs. Nothing is installed
// anywhere: only what is given caPath() or caCertificate() trusts them.
class TestCertificateAuthority
{
public:
    TestCertificateAuthority();

    QString caPath() const { return m_folder.filePath(QStringLiteral("ca.crt")); }
    QSslCertificate caCertificate() const;

    // A localhost certificate at `path`, its key beside it (".crt" becomes
    // ".key"), valid from now for `lifetime`.
    void issue(const QString& path, std::chrono::seconds lifetime) const;

    // The certificate for localhost and 127.0.0.1 issued at construction,
    // valid for 2 days, and its key: what TestServer answers HTTPS with.
    QSslCertificate serverCertificate() const;
    QSslKey serverKey() const;

private:
    void openssl(const QString& arguments, const QStringList& more = {}) const;
    QString serverPath() const { return m_folder.filePath(QStringLiteral("server.crt")); }

    QTemporaryDir m_folder;
};
