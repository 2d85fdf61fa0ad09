#include "core/logs/LogTailerWorker.h"

#include <QSocketNotifier>
#include <QTimer>

using Change = platform::FileWatch::Change;

LogTailerWorker::LogTailerWorker(QString path, std::shared_ptr<platform::FileWatcher> watcher,
                                 Backlog& backlog, Post post)
    : m_path(std::move(path))
    , m_watcher(std::move(watcher))
    , m_backlog(backlog)
    , m_post(std::move(post))
    , m_reopenTimer(new QTimer(this)) // a child: it moves to the worker's thread with it
{
    m_reopenTimer->setSingleShot(true);
    m_reopenTimer->setInterval(reopenInterval);
    connect(m_reopenTimer, &QTimer::timeout, this, &LogTailerWorker::reopen);
}

LogTailerWorker::~LogTailerWorker()
{
    release();
}

void LogTailerWorker::follow(std::shared_ptr<FollowedFile> file, quint64 generation)
{
    release();
    m_generation = generation;
    attach(std::move(file));
}

void LogTailerWorker::stop()
{
    release();
}

void LogTailerWorker::attach(std::shared_ptr<FollowedFile> file)
{
    m_file = std::move(file);
    m_notifier =
        std::make_unique<QSocketNotifier>(m_file->watchDescriptor(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &LogTailerWorker::handleChanges);
    // Whatever was appended between opening the file and watching it.
    pump();
}

void LogTailerWorker::release()
{
    m_reopenTimer->stop();
    m_notifier.reset();
    m_file.reset();
    m_decoder = Utf8StreamDecoder();
    m_reopenPending = false;
}

void LogTailerWorker::handleChanges()
{
    if (!m_file)
        return;
    // Taken even while paused, so that waiting changes do not keep waking us.
    if (m_file->takeChanges() & (Change::deleted | Change::renamed))
        m_reopenPending = true;
    pump();
}

void LogTailerWorker::pump()
{
    if (!m_file || !m_backlog.mayRead())
        return;
    const FollowedFile::Appended appended = m_file->readAppended(maxReadBytes);
    if (appended.truncated)
        deliver(m_decoder.finish()); // the old text's last bytes end no new character
    deliver(m_decoder.decode(appended.bytes));
    if (appended.bytes.size() == maxReadBytes) {
        // More may be waiting, and no change will announce it again.
        QMetaObject::invokeMethod(this, &LogTailerWorker::pump, Qt::QueuedConnection);
        return;
    }
    // Only now that the old file has been read to its end: what was written
    // to it just before it went is delivered, not dropped.
    if (m_reopenPending)
        reopen();
}

void LogTailerWorker::reopen()
{
    deliver(m_decoder.finish());
    release();
    auto file = FollowedFile::open(m_path, *m_watcher);
    if (!file) {
        // The folder is gone with the file, or something we do not follow is
        // in its place: look again later, as `tail -F` does.
        m_reopenTimer->start();
        return;
    }
    attach(std::move(file).value());
}

void LogTailerWorker::deliver(QString text)
{
    if (text.isEmpty())
        return;
    m_backlog.posted(text.size());
    m_post(m_generation, std::move(text));
}
