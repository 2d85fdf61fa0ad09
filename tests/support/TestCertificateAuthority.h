#pragma once

#include <QString>
#include <QTemporaryDir>
#include <chrono>

// A test CA of its own, made with the real openssl, that signs localhost
// server certificates for tests.
class TestCertificateAuthority
{
public:
    TestCertificateAuthority();

    QString caPath() const { return m_folder.filePath(QStringLiteral("ca.crt")); }

    // A localhost certificate at `path`, its key beside it (".crt" becomes
    // ".key"), valid from now for `lifetime`.
    void issue(const QString& path, std::chrono::seconds lifetime) const;

private:
    void openssl(const QString& arguments, const QStringList& more = {}) const;

    QTemporaryDir m_folder;
};
