#include "core/base/SignalWatcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace {

constexpr int watchedSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t watchedCount = std::size(watchedSignals);
int signalPipe[2] = {-1, -1};
// What each watched signal did before, to be put back. A hang-up ignored
// when we started (nohup) stays ignored: surviving it is what was asked for.
struct sigaction previousActions[watchedCount] = {};

extern "C" void forwardSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void installHandler(int signalNumber, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

SignalWatcher::SignalWatcher(QObject* parent)
    : QObject(parent)
{
    if (::pipe(signalPipe) != 0)
        qFatal("SignalWatcher: pipe() failed");
    for (int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::readSignal);
    for (std::size_t i = 0; i < watchedCount; ++i) {
        ::sigaction(watchedSignals[i], nullptr, &previousActions[i]);
        if (watchedSignals[i] != SIGHUP || previousActions[i].sa_handler != SIG_IGN)
            installHandler(watchedSignals[i], forwardSignal);
    }
}

SignalWatcher::~SignalWatcher()
{
    for (std::size_t i = 0; i < watchedCount; ++i)
        ::sigaction(watchedSignals[i], &previousActions[i], nullptr);
    delete m_notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void SignalWatcher::ignoreSignalsOfFailedWrites()
{
    installHandler(SIGPIPE, SIG_IGN);
    installHandler(SIGXFSZ, SIG_IGN);
}

void SignalWatcher::readSignal()
{
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        Q_EMIT interrupted(byte);
}
