#pragma once

#include "core/api/DaemonAPI.h"
#include "core/api/DaemonStatusRecord.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <optional>

class DaemonChannel;
class DaemonManager;

// The status tab's polling of the daemon, shared with `zentropectl status
// --watch`. While active and while the supervisor reports `running`, it asks
// GET /api/status (as DaemonAPI::status() does), one request at a time, the
// next one an interval after the previous answer; when the daemon only now
// enters `running`, the first one waits an interval too, for it to listen.
// It stops at once when deactivated or when the supervisor leaves `running`;
// an answer to a request asked before that is dropped. It never starts the
// daemon.
//
// Lives on the main thread, like the supervisor; the supervisor and the
// channel must outlive it.
class StatusPoller : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds pollInterval{2000};

    StatusPoller(DaemonManager& supervisor, DaemonChannel& channel, QObject* parent = nullptr);
    // For a process that does not supervise the daemon: it is taken to be
    // running, so polling goes on for as long as the poller is active.
    explicit StatusPoller(DaemonChannel& channel, QObject* parent = nullptr);

    std::chrono::milliseconds interval() const { return m_interval; }
    // From the next wait on; for tests.
    void setInterval(std::chrono::milliseconds interval) { m_interval = interval; }

    bool isActive() const { return m_active; }
    // On while the status is on screen. Turning it on polls at once when the
    // daemon runs (or as soon as an abandoned request has ended).
    void setActive(bool active);

    // What the status area shows:
    // No answer yet while the supervisor reports `running` ("Querying daemon…").
    bool isQuerying() const;
    // The last answer decoded since the daemon last entered `running`;
    // none again as soon as the supervisor leaves `running`.
    const std::optional<DaemonStatusRecord>& status() const { return m_status; }
    // "Could not reach daemon: " and why the last poll failed, shown above
    // the last answer until the next answer comes.
    const std::optional<QString>& lastError() const { return m_lastError; }
    // The answer's accessibility value; none without an answer or value.
    std::optional<QString> accessibility() const;

Q_SIGNALS:
    // isQuerying(), status() or lastError() changed.
    void changed();
    // accessibility() changed: the setup is worth evaluating again.
    void accessibilityChanged(const std::optional<QString>& accessibility);

private:
    struct Published
    {
        bool querying = false;
        std::optional<DaemonStatusRecord> status;
        std::optional<QString> lastError;
        friend bool operator==(const Published&, const Published&) = default;
    };

    StatusPoller(DaemonManager* supervisor, DaemonChannel& channel, QObject* parent);

    bool supervisorRunning() const;
    bool shouldPoll() const { return m_active && supervisorRunning(); }
    void supervisorChanged();
    void poll();
    void answered(quint64 round, const Result<DaemonAPI::Status, DaemonAPI::Error>& result);
    // Stops the loop; the request under way, if any, is left to end unheard.
    void halt();
    Published published() const;
    void announce(const Published& before);

    DaemonManager* const m_supervisor;
    DaemonChannel& m_channel;
    std::chrono::milliseconds m_interval = pollInterval;
    QTimer m_wait;
    bool m_active = false;
    bool m_requestUnderWay = false;
    quint64 m_round = 0; // a request's answer counts only in the round it was asked in
    std::optional<DaemonStatusRecord> m_status;
    std::optional<QString> m_lastError;
};
