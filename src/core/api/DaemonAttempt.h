#pragma once

#include "core/api/DaemonApiError.h"
#include "core/api/DaemonReply.h"
#include "core/base/BoundedReply.h"
#include "core/base/Result.h"

#include <QObject>
#include <functional>

class QNetworkReply;

// Follows one network reply to its end and turns it into a DaemonReply or a
// DaemonApiError. The reply is bounded (BoundedReply): its deadline counts
// the whole exchange, so a daemon that trickles its answer still times out,
// and its body has a limit. It watches the TLS handshake, because Qt reports
// a rejected certificate and a failed handshake alike.
class DaemonAttempt : public QObject
{
    Q_OBJECT

public:
    using Outcome = Result<DaemonReply, DaemonApiError>;
    using Completion = std::function<void(Outcome)>;

    // Takes `reply` over. Calls `done` once, then deletes itself; deleting it
    // earlier aborts the reply and drops `done` uncalled.
    DaemonAttempt(QNetworkReply* reply, BoundedReply::Bounds bounds, Completion done,
                  QObject* parent);

private:
    void finish();
    Outcome outcome() const;
    DaemonApiError::Kind failureKind() const;

    BoundedReply m_bounded;
    Completion m_done;
    bool m_encrypted = false;
    bool m_certificateRejected = false;
};
