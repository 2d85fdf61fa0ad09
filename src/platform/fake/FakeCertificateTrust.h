#pragma once

#include "platform/CertificateTrust.h"

#include <QStringList>

namespace platform {

// Answers `trusted` and remembers which certificates it was asked about.
class FakeCertificateTrust final : public CertificateTrust
{
public:
    bool isTrustedForSsl(const QString& certificatePath) override;

    bool trusted = false;
    QStringList checked;
};

} // namespace platform
