#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTemporaryDir>

// A throwaway certificate authority and a server certificate for 127.0.0.1
// it issued, made with /usr/bin/openssl in a temporary folder. Nothing is
// installed anywhere: only a channel given caCertificate() trusts them.
class TestCertificates
{
public:
    // Made once per test process (key generation is the slow part).
    static const TestCertificates& shared();

    QSslCertificate caCertificate() const;
    QSslCertificate serverCertificate() const;
    QSslKey serverKey() const;

private:
    TestCertificates();
    void openssl(const QString& command) const; // words separated by single spaces

    QTemporaryDir m_dir;
};
