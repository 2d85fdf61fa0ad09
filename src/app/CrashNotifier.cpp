#include "app/CrashNotifier.h"

#include <QFutureWatcher>
#include <QPointer>

CrashNotifier::CrashNotifier(CrashAlerts& alerts, platform::Notifications& notifications,
                             std::function<void()> openMainWindow, Fallback fallback,
                             QObject* parent)
    : QObject(parent)
    , m_notifications(notifications)
    , m_openMainWindow(std::move(openMainWindow))
    , m_fallback(std::move(fallback))
{
    connect(&alerts, &CrashAlerts::crashed, this, &CrashNotifier::announce);
}

QString CrashNotifier::message(qint32 exitCode)
{
    if (exitCode == -1)
        return tr("Zentrope’s daemon could not be started (exit -1). Its reason is in daemon.err, "
                  "under Logs.");
    return tr("Zentrope’s daemon stopped unexpectedly (exit %1). Open Zentrope to start it again.")
        .arg(exitCode);
}

void CrashNotifier::announce(qint32 exitCode)
{
    const QString title = tr("Zentrope");
    const QString body = message(exitCode);
    auto* watcher = new QFutureWatcher<Result<Done>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, title, body] {
        watcher->deleteLater();
        if (!watcher->result() && m_fallback)
            m_fallback(title, body);
    });
    // The desktop may hand the click back long after; only while we are here.
    const QPointer<CrashNotifier> self(this);
    const auto open = [self] {
        if (self && self->m_openMainWindow)
            self->m_openMainWindow();
    };
    watcher->setFuture(m_notifications.show({title, body, tr("Open Zentrope"), open}));
}
