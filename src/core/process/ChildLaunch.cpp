#include "core/process/ChildLaunch.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

extern char** environ;

namespace {

// What the child needs, all of it made before fork: the child allocates nothing.
struct ChildSide
{
    const char* program;
    char* const* argv;
    char* const* envp;
    const ChildLaunch::Plan* plan;
    pid_t parent;
    sigset_t originalMask;
    int reportFd; // close-on-exec: stays silent when exec succeeds
};

[[noreturn]] void failInChild(int reportFd)
{
    const int error = errno;
    while (::write(reportFd, &error, sizeof error) < 0 && errno == EINTR) {
    }
    ::_exit(127);
}

bool moveDescriptor(int from, int to)
{
    // The plan's descriptors are all above 2, so none is overwritten here
    // before it has been moved itself.
    return ::dup2(from, to) == to;
}

void defaultSignals()
{
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        struct sigaction current = {};
        if (::sigaction(signal, nullptr, &current) != 0)
            continue;
        const bool caught = current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN;
        if (caught || signal == SIGPIPE || signal == SIGXFSZ)
            ::sigaction(signal, &defaultAction, nullptr);
    }
}

[[noreturn]] void runChild(const ChildSide& side)
{
    const ChildLaunch::Plan& plan = *side.plan;
#if defined(__linux__)
    if (plan.endsWithParent) {
        if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
            failInChild(side.reportFd);
        if (::getppid() != side.parent)
            ::raise(SIGKILL); // the parent is already gone: nobody would send it
    }
#endif
    if (!moveDescriptor(plan.standardOutput, STDOUT_FILENO) ||
        !moveDescriptor(plan.standardError, STDERR_FILENO))
        failInChild(side.reportFd);
    if (plan.nullInput) {
        const int input = ::open("/dev/null", O_RDONLY);
        if (input < 0 || (input != STDIN_FILENO && !moveDescriptor(input, STDIN_FILENO)))
            failInChild(side.reportFd);
        if (input != STDIN_FILENO)
            ::close(input);
    }
    defaultSignals();
    ::pthread_sigmask(SIG_SETMASK, &side.originalMask, nullptr);
    ::execve(side.program, side.argv, side.envp);
    failInChild(side.reportFd);
}

// Reads what the child reported before exec; 0 when it ran the program.
int readReport(int fd)
{
    int error = 0;
    ssize_t got;
    while ((got = ::read(fd, &error, sizeof error)) < 0 && errno == EINTR) {
    }
    return got == ssize_t(sizeof error) ? error : 0;
}

} // namespace

namespace ChildLaunch {

Result<pid_t> start(const Plan& plan)
{
    std::vector<QByteArray> storage{QFile::encodeName(plan.program)};
    for (const QString& argument : plan.arguments)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    int report[2];
    if (!openPipe(report))
        return systemError(errno);

    ChildSide side{
        storage.front().constData(), argv.data(), environ, &plan, ::getpid(), {}, report[1]};
    // Blocked across fork, so no handler of ours runs in the child before
    // it has put back the defaults; the child restores the mask itself.
    sigset_t all;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &side.originalMask);
    const pid_t pid = ::fork();
    if (pid == 0)
        runChild(side);
    const int forkError = errno;
    ::pthread_sigmask(SIG_SETMASK, &side.originalMask, nullptr);
    ::close(report[1]);
    if (pid < 0) {
        ::close(report[0]);
        return systemError(forkError);
    }
    const int childError = readReport(report[0]);
    ::close(report[0]);
    if (childError == 0)
        return pid;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return systemError(childError);
}

bool openPipe(int (&fds)[2])
{
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    for (int& fd : fds) {
        if (fd > STDERR_FILENO)
            continue;
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        const int error = errno;
        ::close(fd);
        fd = moved;
        if (moved < 0) {
            for (int other : fds)
                if (other >= 0)
                    ::close(other);
            errno = error;
            return false;
        }
    }
    return true;
}

} // namespace ChildLaunch
