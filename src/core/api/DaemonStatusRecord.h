#pragma once

#include "core/api/DaemonApiError.h"
#include "core/base/Result.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

// The daemon's answer to GET /api/status, decoded strictly: every required
// key present with its exact JSON type (no conversions), unknown keys ignored.
// Reached as DaemonAPI::Status; not to be confused with DaemonStatus, the
// supervisor's view of the process.
class DaemonStatusRecord
{
public:
    // Permission values are free text; the daemon uses "granted", "denied"
    // and "unknown", and anything else is kept as it comes.
    struct Permissions
    {
        QString prismAutomation;
        QString systemEventsAutomation;
        std::optional<QString> accessibility; // absent or null in the answer

        friend bool operator==(const Permissions&, const Permissions&) = default;
    };

    bool ok = false;
    QString version;
    qint64 activeSessions = 0;
    Permissions permissions;

    // Fails with a cannotDecodeResponse error that names what was wrong.
    static Result<DaemonStatusRecord, DaemonApiError> decode(const QByteArray& body);
    // The same keys as the answer; "accessibility" only when present.
    QJsonObject toJson() const;

    friend bool operator==(const DaemonStatusRecord&, const DaemonStatusRecord&) = default;
};
