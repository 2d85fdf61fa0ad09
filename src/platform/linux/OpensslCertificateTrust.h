#pragma once

#include "core/process/CheckProgram.h"
#include "platform/CertificateTrust.h"

namespace platform {

// "openssl verify -purpose sslserver": the certificate must chain to one of
// the system's trusted roots (SSL_CERT_FILE and SSL_CERT_DIR are honoured).
class OpensslCertificateTrust final : public CertificateTrust
{
public:
    explicit OpensslCertificateTrust(CheckProgram openssl = CheckProgram::openssl());
    bool isTrustedForSsl(const QString& certificatePath) override;

private:
    CheckProgram m_openssl;
};

} // namespace platform
