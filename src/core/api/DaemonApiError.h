#pragma once

#include <QString>
#include <QUrl>

// Why a request to the daemon, or the reading of its answer, failed. The
// description is the library's message, shown after "Could not reach daemon: ";
// the code is the library's own (a QNetworkReply::NetworkError, or a
// QJsonParseError::ParseError when decoding), for logs.
struct DaemonApiError
{
    enum class Kind
    {
        cannotConnectToHost,        // connection refused or unreachable
        secureConnectionFailed,     // TLS handshake failed, e.g. a plain-HTTP server
        serverCertificateUntrusted, // the system does not trust the server's certificate
        timedOut,
        badURL,
        dataLengthExceedsMaximum, // the answer outgrew its limit
        cannotDecodeResponse,     // the body is not what the operation expects
        other
    };

    Kind kind = Kind::other;
    QString description;
    int code = 0;
    QUrl failingUrl; // the attempt that failed; empty for decoding failures

    QString localizedDescription() const { return description; }
    // "<description> (<kind>, code <code>, <url>)", for logs.
    QString logText() const;

    static QString kindName(Kind kind);

    friend bool operator==(const DaemonApiError&, const DaemonApiError&) = default;
};
