#include "core/setup/CertificateValidity.h"

CertificateValidity::CertificateValidity(CheckProgram openssl)
    : m_openssl(std::move(openssl))
{}

bool CertificateValidity::isValidForAtLeastDays(const QString& certificatePath, int days) const
{
    return m_openssl.run(arguments(certificatePath, days));
}

QStringList CertificateValidity::arguments(const QString& certificatePath, int days)
{
    constexpr qint64 secondsPerDay = 86400;
    return {QStringLiteral("x509"),
            QStringLiteral("-checkend"),
            QString::number(qint64(days) * secondsPerDay),
            QStringLiteral("-noout"),
            QStringLiteral("-in"),
            certificatePath};
}
