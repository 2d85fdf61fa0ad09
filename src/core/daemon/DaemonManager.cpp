#include "core/daemon/DaemonManager.h"

#include "core/daemon/DaemonLocator.h"

#include <QDir>
#include <QPointer>
#include <QTimer>
#include <cerrno>
#include <csignal>

DaemonManager::DaemonManager(Bundle bundle, QString logDirectory, QObject* parent)
    : DaemonManager(std::move(bundle), std::move(logDirectory), Port(), parent)
{}

DaemonManager::DaemonManager(Bundle bundle, QString logDirectory, Port port, QObject* parent)
    : QObject(parent)
    , m_logDirectory(std::move(logDirectory))
    , m_bundle(std::move(bundle))
    , m_port(std::move(port))
    , m_logQueue(LogAppendQueue::defaultBound, LogAppendQueue::appendNow,
                 [this](const QString& path, const Error& error) { logWriteFailed(path, error); })
{
    // A failure here is not reported: appends will fail silently instead.
    QDir().mkpath(m_logDirectory);
}

DaemonManager::~DaemonManager()
{
    shutdown();
}

QString DaemonManager::logDirectory()
{
    return QDir::homePath() + QStringLiteral("/Library/Logs/Zentrope");
}

QString DaemonManager::standardOutputLogPath() const
{
    return m_logDirectory + QStringLiteral("/daemon.log");
}

QString DaemonManager::standardErrorLogPath() const
{
    return m_logDirectory + QStringLiteral("/daemon.err");
}

void DaemonManager::start()
{
    if (m_process && m_process->isRunning()) {
        // A child asked to stop is still on its way out: the start is owed
        // once it has gone, or the user who pressed Start is left stopped.
        if (m_stopping)
            m_restartPending = true;
        return;
    }
    if (m_process) {
        // Its end, not handled yet, will be ignored: a restart it was part
        // of is over, and the next stop must not relaunch.
        m_process.reset();
        m_restartPending = false;
        m_stopping = false;
    }

    m_lastFailure.clear();
    const auto files = DaemonLocator(m_bundle).locate();
    if (!files) {
        QString reason = QStringLiteral("Could not locate bundled daemon binaries.");
        if (!files.error().isEmpty())
            reason += u'\n' + files.error();
        reportFailure(reason);
        setStatus(Status::crashed(-1));
        return;
    }

    setStatus(Status::starting());
    // Failures show with the first chunk written.
    LogAppendQueue::ensureFile(standardOutputLogPath());
    LogAppendQueue::ensureFile(standardErrorLogPath());

    const quint64 generation = ++m_generation;
    QPointer<DaemonManager> self(this);
    // Holds no strong reference to the child, which joins this thread.
    auto onTermination = [self, generation](ChildProcess::Termination termination) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, termination] {
                if (self)
                    self->handleTermination(generation, termination);
            },
            Qt::QueuedConnection);
    };
    // The daemon dies with us even when we are killed outright: an orphan
    // would hold the port, and the next start would fail. Spawned here, on
    // the main thread, which lives as long as the process.
    auto launch =
        ChildProcess::spawn(files.value().nodeBinary, {files.value().entryScript}, outputHandler(),
                            std::move(onTermination), ChildProcess::Streams::separate,
                            ChildProcess::Input::inherited, ChildProcess::Lifetime::endsWithParent);
    if (!launch.process) {
        reportFailure(QStringLiteral("Failed to launch daemon: %1").arg(launch.error));
        setStatus(Status::crashed(-1));
        return;
    }
    m_process = launch.process;
    setStatus(Status::running(m_process->pid()));
}

ChildProcess::OutputHandler DaemonManager::outputHandler()
{
    // The queue outlives every child: shutdown() ends the child first.
    LogAppendQueue* queue = &m_logQueue;
    const QString outPath = standardOutputLogPath();
    const QString errPath = standardErrorLogPath();
    return [queue, outPath, errPath](ChildProcess::Stream stream, QByteArray bytes, bool more) {
        const bool isOutput = stream == ChildProcess::Stream::standardOutput;
        queue->append(isOutput ? outPath : errPath, std::move(bytes), more);
    };
}

void DaemonManager::handleTermination(quint64 generation, ChildProcess::Termination termination)
{
    // A child that start() already forgot must not clear or report over its
    // successor.
    if (generation != m_generation)
        return;
    m_process.reset();
    m_stopping = false;
    if (m_restartPending) {
        m_restartPending = false;
        start();
    } else {
        const bool clean =
            termination.bySignal ? termination.status == SIGTERM : termination.status == 0;
        // A daemon that finds its port taken gives up with an exit status.
        if (!clean && !termination.bySignal)
            explainCrash();
        setStatus(clean ? Status::stopped() : Status::crashed(termination.status));
    }
    Q_EMIT childEnded();
}

void DaemonManager::stop()
{
    setStatus(Status::stopped());
    // The last call wins: a restart or start still waiting for the old
    // child to go is called off.
    m_restartPending = false;
    if (!m_process)
        return;
    m_stopping = true;
    m_process->sendSignal(SIGTERM);
    std::weak_ptr<ChildProcess> child = m_process;
    // A coarse timer may fire up to 5 % early; the daemon is owed its full grace period.
    QTimer::singleShot(killDelay, Qt::PreciseTimer, this, [child] {
        // Only that same child, and only if it has not been reaped.
        if (auto process = child.lock())
            process->sendSignal(SIGKILL);
    });
}

void DaemonManager::restart()
{
    if (!m_process) {
        start();
        return;
    }
    stop();
    m_restartPending = true;
}

void DaemonManager::shutdown()
{
    m_restartPending = false;
    if (m_process) {
        stop();
        if (!m_process->waitForExit(killDelay))
            m_process->sendSignal(SIGKILL);
        m_process.reset(); // waits for the end and for the pipes to drain
        m_stopping = false;
        ++m_generation; // the end is handled here, not by the queued handler
    }
    m_logQueue.drain();
}

void DaemonManager::setStatus(const Status& status)
{
    if (status == m_status)
        return;
    m_status = status;
    Q_EMIT statusChanged(m_status);
}

void DaemonManager::appendStderr(const QString& text)
{
    m_logQueue.appendWithoutWaiting(standardErrorLogPath(), text.toUtf8());
}

void DaemonManager::reportFailure(const QString& reason)
{
    appendStderr(reason + u'\n');
    publishFailure(reason);
}

void DaemonManager::publishFailure(const QString& reason)
{
    m_lastFailure = reason;
    Q_EMIT failureReported(reason);
}

void DaemonManager::explainCrash()
{
    // Our child is gone, so whoever listens on its port now is someone else.
    // Not written to daemon.err: the daemon has said there what it met.
    if (!m_port.lookup || m_port.number == 0)
        return;
    const auto holder = m_port.lookup->listenerOn(m_port.number);
    if (!holder)
        return;
    const QString by =
        holder->processIdentifier > 0
            ? QStringLiteral("process %1 (%2)").arg(holder->processIdentifier).arg(holder->name)
            : QStringLiteral("another user’s process");
    publishFailure(QStringLiteral("Port %1 is already in use by %2.").arg(m_port.number).arg(by));
}

void DaemonManager::logWriteFailed(const QString& path, const Error& error)
{
    // A missing folder drops the output silently until it is back: it was
    // deleted, which is no fault of the supervisor's to report.
    if (error.domain == u"POSIX" && error.code == ENOENT)
        return;
    const QString reason =
        QStringLiteral("Could not write %1: %2").arg(path, error.localizedDescription());
    // daemon.err may be the very file that cannot be written; then the
    // attempt fails again, quietly, since that failure is already known.
    QMetaObject::invokeMethod(
        this, [this, reason] { reportFailure(reason); }, Qt::QueuedConnection);
}
