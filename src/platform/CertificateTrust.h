#pragma once

#include <QString>

namespace platform {

// Whether the system's trust settings accept a certificate for SSL servers
// (macOS: "security verify-cert -p ssl"; Linux: openssl against the system's
// trusted roots). Synchronous and short; every failure reads as not trusted.
class CertificateTrust
{
public:
    virtual ~CertificateTrust() = default;
    virtual bool isTrustedForSsl(const QString& certificatePath) = 0;
};

} // namespace platform
