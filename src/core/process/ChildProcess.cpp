#include "core/process/ChildProcess.h"

#include "core/process/ChildLaunch.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace {

// A roomy pipe lets a chatty daemon run ahead of us instead of waking us for
// every write; reads take what the pipe holds, up to this much.
constexpr int pipeCapacity = 1024 * 1024;
constexpr int maxReadSize = 64 * 1024;
// Enough recycled buffers to fill the log writer's queue.
constexpr int chunkSlots = 96;
// After this much from one pipe, the other gets its turn.
constexpr int maxBurstSize = 1024 * 1024;

struct Pipe
{
    int read = -1;
    int write = -1;
};

// Both ends close-on-exec, so no child but ours inherits them.
bool openPipe(Pipe& pipe)
{
    int fds[2];
    if (!ChildLaunch::openPipe(fds))
        return false;
#ifdef F_SETPIPE_SZ
    ::fcntl(fds[0], F_SETPIPE_SZ, pipeCapacity); // a hint: the default still works
#endif
    pipe = {fds[0], fds[1]};
    return true;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

int bytesWaiting(int fd)
{
    int available = 0;
    return ::ioctl(fd, FIONREAD, &available) == 0 ? available : 0;
}

QString describe(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

ChildProcess::Termination decode(int rawStatus)
{
    if (WIFSIGNALED(rawStatus))
        return {WTERMSIG(rawStatus), true};
    return {WEXITSTATUS(rawStatus), false};
}

} // namespace

ChildProcess::Launch ChildProcess::spawn(const QString& program, const QStringList& arguments,
                                         OutputHandler onOutput, TerminationHandler onTermination,
                                         Streams streams, Input input, Lifetime lifetime)
{
    const bool merged = streams == Streams::merged;
    Pipe out, err, wake;
    if (!openPipe(out) || (!merged && !openPipe(err)) || !openPipe(wake)) {
        const int error = errno;
        for (int* fd : {&out.read, &out.write, &err.read, &err.write, &wake.read, &wake.write})
            closeFd(*fd);
        return {nullptr, describe(error)};
    }

    ChildLaunch::Plan plan;
    plan.program = program;
    plan.arguments = arguments;
    plan.standardOutput = out.write;
    plan.standardError = merged ? out.write : err.write;
    plan.nullInput = input == Input::nullDevice;
    plan.endsWithParent = lifetime == Lifetime::endsWithParent;
    const auto launched = ChildLaunch::start(plan);
    closeFd(out.write);
    closeFd(err.write);
    if (!launched) {
        for (int* fd : {&out.read, &err.read, &wake.read, &wake.write})
            closeFd(*fd);
        return {nullptr, launched.error().description};
    }
    const pid_t pid = launched.value();

    std::shared_ptr<ChildProcess> child(new ChildProcess);
    child->m_pid = pid;
    child->m_wakeRead = wake.read;
    child->m_wakeWrite = wake.write;
    ChildProcess* self = child.get();
    child->m_reader = std::thread([self, out, err, wake, onOutput = std::move(onOutput)] {
        self->readLoop(out.read, err.read, wake.read, onOutput);
        ::close(out.read);
        if (err.read >= 0)
            ::close(err.read);
    });
    child->m_waiter = std::thread(
        [self, onTermination = std::move(onTermination)] { self->waitLoop(onTermination); });
    return {child, {}};
}

ChildProcess::ChildProcess()
    : m_chunks(chunkSlots, maxReadSize)
{}

ChildProcess::~ChildProcess()
{
    if (!waitForExit(std::chrono::milliseconds(0))) {
        sendSignal(SIGKILL);
        waitForExit(std::chrono::hours(1));
    }
    m_waiter.join();
    // The child is gone, so all it wrote is in the pipes; a grandchild that
    // kept them open must not keep us waiting, so the reader drains and stops.
    // The wake pipe stays open until the reader is joined: no SIGPIPE here.
    const char byte = 0;
    while (::write(m_wakeWrite, &byte, 1) < 0 && errno == EINTR) {
    }
    m_reader.join();
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
}

bool ChildProcess::isRunning() const
{
    std::lock_guard lock(m_mutex);
    return !m_termination.has_value();
}

bool ChildProcess::sendSignal(int signal)
{
    // The waiter reaps only while holding the mutex, so the pid cannot be
    // recycled between this check and the kill.
    std::lock_guard lock(m_mutex);
    if (m_termination)
        return false;
    return ::kill(m_pid, signal) == 0;
}

bool ChildProcess::waitForExit(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_reaped.wait_for(lock, timeout, [this] { return m_termination.has_value(); });
}

void ChildProcess::waitLoop(TerminationHandler onTermination)
{
    // Wait without reaping first: the zombie keeps the pid reserved until we
    // hold the mutex, which sendSignal() relies on.
    siginfo_t info{};
    while (::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    Termination termination;
    {
        std::lock_guard lock(m_mutex);
        int rawStatus = 0;
        while (::waitpid(m_pid, &rawStatus, 0) < 0 && errno == EINTR) {
        }
        termination = decode(rawStatus);
        m_termination = termination;
    }
    m_reaped.notify_all();
    onTermination(termination);
}

void ChildProcess::readLoop(int outFd, int errFd, int wakeFd, const OutputHandler& onOutput)
{
    // poll() skips a negative descriptor: a merged child has no error pipe.
    std::array<pollfd, 3> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {wakeFd, POLLIN, 0}}};
    const std::array<Stream, 2> streams{Stream::standardOutput, Stream::standardError};
    int openPipes = errFd >= 0 ? 2 : 1;
    bool draining = false; // woken: take what is buffered, then stop
    while (openPipes > 0) {
        const int ready = ::poll(fds.data(), fds.size(), draining ? 0 : -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        if (fds[2].revents != 0) {
            draining = true;
            fds[2].fd = -1;
        }
        for (std::size_t i = 0; i < streams.size(); ++i) {
            if (fds[i].fd >= 0 && fds[i].revents != 0 &&
                !readBurst(fds[i].fd, streams[i], onOutput)) {
                fds[i].fd = -1;
                --openPipes;
            }
        }
    }
}

bool ChildProcess::readBurst(int fd, Stream stream, const OutputHandler& onOutput)
{
    // Keeps reading while the pipe holds more, so that the log writer is
    // woken once per burst rather than once per read.
    int available = bytesWaiting(fd);
    int taken = 0;
    do {
        QByteArray& chunk = m_chunks.take(available > 0 ? qMin(available, maxReadSize) : 4096);
        const ssize_t got = ::read(fd, chunk.data(), std::size_t(chunk.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        chunk.truncate(qsizetype(got));
        taken += int(got);
        available = taken < maxBurstSize ? bytesWaiting(fd) : 0;
        onOutput(stream, chunk, available > 0);
    } while (available > 0);
    return true;
}
