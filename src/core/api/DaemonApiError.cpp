#include "core/api/DaemonApiError.h"

QString DaemonApiError::logText() const
{
    QString text = QStringLiteral("%1 (%2, code %3").arg(description, kindName(kind)).arg(code);
    if (failingUrl.isValid())
        text += QStringLiteral(", ") + failingUrl.toString();
    return text + u')';
}

QString DaemonApiError::kindName(Kind kind)
{
    switch (kind) {
    case Kind::cannotConnectToHost:
        return QStringLiteral("cannotConnectToHost");
    case Kind::secureConnectionFailed:
        return QStringLiteral("secureConnectionFailed");
    case Kind::serverCertificateUntrusted:
        return QStringLiteral("serverCertificateUntrusted");
    case Kind::timedOut:
        return QStringLiteral("timedOut");
    case Kind::badURL:
        return QStringLiteral("badURL");
    case Kind::dataLengthExceedsMaximum:
        return QStringLiteral("dataLengthExceedsMaximum");
    case Kind::cannotDecodeResponse:
        return QStringLiteral("cannotDecodeResponse");
    case Kind::other:
        break;
    }
    return QStringLiteral("other");
}
