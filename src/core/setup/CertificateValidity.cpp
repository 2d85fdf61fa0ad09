#include "core/setup/CertificateValidity.h"

#include <QFileInfo>

CertificateValidity::CertificateValidity(CheckProgram openssl)
    : m_openssl(std::move(openssl))
{}

bool CertificateValidity::isValidForAtLeastDays(const QString& certificatePath, int days) const
{
    // A certificate is a few kilobytes in a regular file: openssl would wait
    // out its bound on a FIFO, or read a huge file for as long.
    constexpr qint64 largestCertificate = 1024 * 1024;
    const QFileInfo file(certificatePath);
    if (!file.isFile() || file.size() > largestCertificate)
        return false;
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
