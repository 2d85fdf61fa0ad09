#include "core/api/StatusPoller.h"

#include "core/api/DaemonStatusRows.h"
#include "core/daemon/DaemonManager.h"

#include <QFutureWatcher>

StatusPoller::StatusPoller(DaemonManager& supervisor, DaemonChannel& channel, QObject* parent)
    : StatusPoller(&supervisor, channel, parent)
{}

StatusPoller::StatusPoller(DaemonChannel& channel, QObject* parent)
    : StatusPoller(nullptr, channel, parent)
{}

StatusPoller::StatusPoller(DaemonManager* supervisor, DaemonChannel& channel, QObject* parent)
    : QObject(parent)
    , m_supervisor(supervisor)
    , m_channel(channel)
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &StatusPoller::poll);
    if (m_supervisor)
        connect(m_supervisor, &DaemonManager::statusChanged, this,
                &StatusPoller::supervisorChanged);
}

void StatusPoller::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active)
        poll();
    else
        halt();
}

bool StatusPoller::isQuerying() const
{
    return supervisorRunning() && !m_status;
}

std::optional<QString> StatusPoller::accessibility() const
{
    return m_status ? m_status->permissions.accessibility : std::nullopt;
}

bool StatusPoller::supervisorRunning() const
{
    return !m_supervisor || m_supervisor->status().isRunning();
}

void StatusPoller::supervisorChanged()
{
    const Published before = published();
    if (!supervisorRunning()) {
        halt();
        m_status.reset(); // the error stays: it is the last thing known
    } else if (m_active && !m_wait.isActive()) {
        // A daemon just launched needs a moment before it listens.
        m_wait.start(m_interval);
    }
    announce(before);
}

void StatusPoller::poll()
{
    if (!shouldPoll() || m_requestUnderWay)
        return;
    m_wait.stop();
    m_requestUnderWay = true;
    const quint64 round = m_round;
    // A watcher rather than a continuation with this as its context: Qt 6.4
    // asserts when such a context is gone before the future finishes, and
    // the poller may well go while a request is under way.
    using Watcher = QFutureWatcher<Result<DaemonAPI::Status, DaemonAPI::Error>>;
    auto* watcher = new Watcher(this);
    connect(watcher, &Watcher::finished, this, [this, watcher, round] {
        watcher->deleteLater();
        m_requestUnderWay = false;
        // Only a channel going away cancels; there is nothing to show then.
        if (!watcher->isCanceled() && watcher->future().resultCount() > 0)
            answered(round, watcher->result());
    });
    watcher->setFuture(DaemonAPI::status(m_channel));
}

void StatusPoller::answered(quint64 round,
                            const Result<DaemonAPI::Status, DaemonAPI::Error>& result)
{
    if (round != m_round) {
        // Asked before the loop stopped: not heard. A loop started since
        // waited for it, to keep to one request at a time.
        if (shouldPoll() && !m_wait.isActive())
            poll();
        return;
    }
    const Published before = published();
    if (result) {
        m_status = result.value();
        m_lastError.reset();
    } else {
        m_lastError = DaemonStatusRows::failureLine(result.error());
    }
    // Before announcing, so that a listener that stops the loop stops this too.
    m_wait.start(m_interval);
    announce(before);
}

void StatusPoller::halt()
{
    m_wait.stop();
    ++m_round;
}

StatusPoller::Published StatusPoller::published() const
{
    return {isQuerying(), m_status, m_lastError};
}

void StatusPoller::announce(const Published& before)
{
    const std::optional<QString> was =
        before.status ? before.status->permissions.accessibility : std::nullopt;
    const std::optional<QString> now = accessibility();
    if (published() != before)
        Q_EMIT changed();
    if (was != now)
        Q_EMIT accessibilityChanged(now);
}
