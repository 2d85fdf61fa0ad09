#pragma once

#include <QString>
#include <QTemporaryDir>
#include <chrono>

// Certificates made with the real openssl for tests: a test CA of its own and
// localhost server certificates, signed by it or self-signed.
class TestCertificates
{
public:
    TestCertificates(); // makes the CA

    QString caPath() const { return m_folder.filePath(QStringLiteral("ca.crt")); }

    // A localhost certificate at `path` (its key beside it, ".key" for
    // ".crt"), signed by the test CA and valid from now for `lifetime`.
    void issue(const QString& path, std::chrono::seconds lifetime) const;
    // A self-signed localhost certificate at `path`, valid for a year.
    void issueSelfSigned(const QString& path) const;

private:
    QTemporaryDir m_folder;
};

// Runs /usr/bin/openssl in `folder`; fails the test when it fails.
void runOpenssl(const QString& folder, const QStringList& arguments);
