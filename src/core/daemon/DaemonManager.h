#pragma once

#include "core/base/Bundle.h"
#include "core/daemon/DaemonStatus.h"
#include "core/daemon/LogAppendQueue.h"
#include "core/process/ChildProcess.h"
#include "platform/PortLookup.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

// Supervises the daemon: the application's one child process. Launches it
// from the bundle, copies its two output streams into daemon.log and
// daemon.err, and publishes its state. A crashed daemon stays down until
// someone calls start() or restart().
//
// Every public call belongs on the main thread; status changes are published
// there too. The application has one, which its ApplicationContext owns.
class DaemonManager : public QObject
{
    Q_OBJECT

public:
    using Status = DaemonStatus;

    static constexpr std::chrono::milliseconds killDelay{2000};

    // Where the daemon listens, and whom to ask who holds that port when the
    // daemon crashes: another daemon that took it first is the usual cause.
    struct Port
    {
        quint16 number = 0;
        std::shared_ptr<platform::PortLookup> lookup; // none: nobody is asked
    };

    DaemonManager(Bundle bundle, QString logDirectory, QObject* parent = nullptr);
    DaemonManager(Bundle bundle, QString logDirectory, Port port, QObject* parent = nullptr);
    // Stops the daemon and waits for it (see shutdown()).
    ~DaemonManager() override;

    // ~/Library/Logs/Zentrope, on every platform.
    static QString logDirectory();
    QString logDirectoryPath() const { return m_logDirectory; }
    QString standardOutputLogPath() const;
    QString standardErrorLogPath() const;

    Status status() const { return m_status; }
    // What went wrong last, in the supervisor's words: the daemon's files not
    // found or not launched, a log file it could not write (as written to
    // daemon.err, without the line feed), or, after a crash, who holds the
    // daemon's port. Empty again at each start().
    const QString& lastFailure() const { return m_lastFailure; }
    // True from a successful launch until the child's end has been handled.
    bool hasChild() const { return m_process != nullptr; }

    // The last of these calls decides where the daemon ends up, also when
    // it comes while a child is still stopping: start() or restart() then
    // launches a new one once that child has gone, and stop() calls such a
    // launch off.
    void start();
    void stop();
    void restart();

    // For quitting: stop(), wait up to killDelay for the child to end, then
    // kill it, so the daemon is neither orphaned nor cut off abruptly.
    // Blocks; returns once the child is gone and its output is written.
    void shutdown();

    // Blocks until every chunk read so far has been written to the log files.
    void flushLogs() { m_logQueue.drain(); }

Q_SIGNALS:
    // Emitted on the main thread, only when the value really changes.
    void statusChanged(const DaemonManager::Status& status);
    // The child's end has been handled (after any status change it caused).
    void childEnded();
    // lastFailure() has just been set to `reason`; a status change it
    // explains comes after.
    void failureReported(const QString& reason);

private:
    void setStatus(const Status& status);
    void appendStderr(const QString& text);
    // Writes `reason` to daemon.err as a line of its own and publishes it.
    void reportFailure(const QString& reason);
    void publishFailure(const QString& reason);
    // Publishes who holds the port, if anyone does, after a crash.
    void explainCrash();
    // On the log writer's thread.
    void logWriteFailed(const QString& path, const Error& error);
    void handleTermination(quint64 generation, ChildProcess::Termination termination);
    ChildProcess::OutputHandler outputHandler();

    const QString m_logDirectory;
    const Bundle m_bundle;
    const Port m_port;
    Status m_status = Status::stopped();
    std::shared_ptr<ChildProcess> m_process;
    bool m_restartPending = false; // relaunch when the recorded child ends
    bool m_stopping = false;       // the recorded child has been asked to stop
    quint64 m_generation = 0;      // identifies the recorded child
    QString m_lastFailure;
    LogAppendQueue m_logQueue; // last: its worker ends before anything it uses goes
};
