#include "platform/linux/OpensslCertificateTrust.h"

namespace platform {

OpensslCertificateTrust::OpensslCertificateTrust(CheckProgram openssl)
    : m_openssl(std::move(openssl))
{}

bool OpensslCertificateTrust::isTrustedForSsl(const QString& certificatePath)
{
    return m_openssl.run({QStringLiteral("verify"), QStringLiteral("-purpose"),
                          QStringLiteral("sslserver"), certificatePath});
}

} // namespace platform
