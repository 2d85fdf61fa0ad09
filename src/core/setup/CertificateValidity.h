#pragma once

#include "core/process/CheckProgram.h"

#include <QString>

// Whether a certificate file will still be valid some days from now, as
// openssl judges it ("x509 -checkend"). Every failure reads as not valid, and so does anything
// but a regular file of at most 1 MiB, without asking openssl.
class CertificateValidity
{
public:
    explicit CertificateValidity(CheckProgram openssl = CheckProgram::openssl());

    bool isValidForAtLeastDays(const QString& certificatePath, int days) const;

private:
    static QStringList arguments(const QString& certificatePath, int days);

    CheckProgram m_openssl;
};
