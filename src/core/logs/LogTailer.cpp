#include "core/logs/LogTailer.h"

LogTailer::LogTailer(QString path, std::shared_ptr<platform::FileWatcher> watcher, QObject* parent)
    : QObject(parent)
    , m_path(std::move(path))
    , m_watcher(std::move(watcher))
{
    // The worker never touches `this` beyond using it as the target of the
    // queued delivery, and the thread ends before `this` does.
    m_worker =
        new LogTailerWorker(m_path, m_watcher, m_backlog, [this](quint64 generation, QString text) {
            QMetaObject::invokeMethod(
                this, [this, generation, text = std::move(text)] { deliver(generation, text); },
                Qt::QueuedConnection);
        });
    m_worker->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("zentrope.log-tailer"));
    m_thread.start();
}

LogTailer::~LogTailer()
{
    cancel();
    // Queued behind the jobs already posted, so the worker is deleted on its
    // own thread, where its socket notifier lives.
    QMetaObject::invokeMethod(
        m_worker,
        [worker = m_worker] {
            delete worker;
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    m_thread.wait();
}

Result<Done> LogTailer::start(std::optional<qint64> position)
{
    cancel();
    auto opened = FollowedFile::open(m_path, *m_watcher, position);
    if (!opened)
        return opened.error();
    m_started = true;
    const quint64 generation = ++m_generation;
    std::shared_ptr<FollowedFile> file = std::move(opened).value();
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, file, generation] { worker->follow(file, generation); },
        Qt::QueuedConnection);
    return Done{};
}

void LogTailer::cancel()
{
    if (!m_started)
        return;
    m_started = false;
    ++m_generation;
    QMetaObject::invokeMethod(m_worker, &LogTailerWorker::stop, Qt::QueuedConnection);
}

void LogTailer::deliver(quint64 generation, const QString& text)
{
    if (m_backlog.taken(text.size()))
        QMetaObject::invokeMethod(m_worker, &LogTailerWorker::resume, Qt::QueuedConnection);
    if (!m_started || generation != m_generation || !m_onAppend)
        return;
    m_onAppend(text);
}
