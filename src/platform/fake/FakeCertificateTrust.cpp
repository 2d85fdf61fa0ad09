#include "platform/fake/FakeCertificateTrust.h"

namespace platform {

bool FakeCertificateTrust::isTrustedForSsl(const QString& certificatePath)
{
    checked.append(certificatePath);
    return trusted;
}

} // namespace platform
