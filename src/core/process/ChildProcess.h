#pragma once

#include "core/process/ChunkPool.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/types.h>
#include <thread>

// A child process with its standard output and standard error on two pipes,
// read by a thread of its own, and a thread that waits for its end.
//
// The child inherits the environment, the working folder and, unless told
// otherwise, standard input; see ChildLaunch for what it is given besides.
// Signals are only ever sent to a child that has not been reaped yet, so a
// recycled process id is never hit.
class ChildProcess
{
public:
    enum class Stream
    {
        standardOutput,
        standardError
    };

    // Where the child's standard error goes: a pipe of its own, or the
    // standard output's pipe, so that the two arrive interleaved as written.
    enum class Streams
    {
        separate,
        merged // every chunk is reported as standardOutput
    };

    // Where the child's standard input comes from.
    enum class Input
    {
        inherited,
        nullDevice // reads end of file at once
    };

    // Whether the child may outlive us.
    enum class Lifetime
    {
        independent,
        // Killed when we die, however we die (see ChildLaunch::Plan); spawn
        // such a child from the main thread.
        endsWithParent
    };

    struct Termination
    {
        int status = 0;        // the exit status, or the number of the signal
        bool bySignal = false; // ended by an uncaught signal
    };

    // Called on the reader thread for every chunk; may block to push back.
    // `moreWaiting` tells that another chunk of the stream follows at once.
    using OutputHandler = std::function<void(Stream, QByteArray, bool moreWaiting)>;
    // Called once, on the waiter thread, after the child is reaped.
    using TerminationHandler = std::function<void(Termination)>;

    struct Launch
    {
        std::shared_ptr<ChildProcess> process; // set on success
        QString error;                         // the system's description otherwise
    };

    static Launch spawn(const QString& program, const QStringList& arguments,
                        OutputHandler onOutput, TerminationHandler onTermination,
                        Streams streams = Streams::separate, Input input = Input::inherited,
                        Lifetime lifetime = Lifetime::independent);

    // Kills a child that still runs, waits for it, then lets the reader take
    // what is left in the pipes before it stops.
    ~ChildProcess();

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool isRunning() const;
    // Sends `signal` unless the child has already been reaped. True if sent.
    bool sendSignal(int signal);
    // Waits until the child has been reaped; false on time-out.
    bool waitForExit(std::chrono::milliseconds timeout);

private:
    ChildProcess();

    void readLoop(int outFd, int errFd, int wakeFd, const OutputHandler& onOutput);
    // Reads what one pipe holds; false at its end.
    bool readBurst(int fd, Stream stream, const OutputHandler& onOutput);
    void waitLoop(TerminationHandler onTermination);

    pid_t m_pid = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1; // wakes the reader when we give up on the pipes
    mutable std::mutex m_mutex;
    std::condition_variable m_reaped;
    std::optional<Termination> m_termination;
    ChunkPool m_chunks; // the reader's alone
    std::thread m_reader;
    std::thread m_waiter;
};
