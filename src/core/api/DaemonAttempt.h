#pragma once

#include "core/api/DaemonApiError.h"
#include "core/api/DaemonReply.h"
#include "core/base/Result.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class QNetworkReply;

// Follows one network reply to its end and turns it into a DaemonReply or a
// DaemonApiError. It keeps its own time-out, because Qt reports its transfer
// time-out as a cancellation, and watches the TLS handshake, because Qt
// reports a rejected certificate and a failed handshake alike.
class DaemonAttempt : public QObject
{
    Q_OBJECT

public:
    using Outcome = Result<DaemonReply, DaemonApiError>;
    using Completion = std::function<void(Outcome)>;

    // Takes `reply` over. Calls `done` once, then deletes itself; deleting it
    // earlier aborts the reply and drops `done` uncalled.
    DaemonAttempt(QNetworkReply* reply, std::chrono::milliseconds timeout, Completion done,
                  QObject* parent);

private:
    void finish();
    void expire();
    Outcome outcome() const;
    DaemonApiError::Kind failureKind() const;

    QNetworkReply* m_reply;
    Completion m_done;
    QTimer m_timer;
    bool m_timedOut = false;
    bool m_encrypted = false;
    bool m_certificateRejected = false;
};
