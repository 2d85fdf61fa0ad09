#pragma once

#include "core/process/CheckProgram.h"

#include <QString>

// Whether a certificate file will still be valid some days from now, as
// openssl judges it ("x509 -checkend"). Every failure reads as not valid.
class CertificateValidity
{
public:
    explicit CertificateValidity(CheckProgram openssl = CheckProgram::openssl());

    bool isValidForAtLeastDays(const QString& certificatePath, int days) const;

private:
    static QStringList arguments(const QString& certificatePath, int days);

    CheckProgram m_openssl;
};
