// Latency from an append (write() returned) to the tailer's callback on the
// main thread, measured on the same appends as GNU `tail -F` following the
// same file (until the line appears on its output), in one run.
#include "core/logs/LogTailer.h"
#include "platform/linux/InotifyFileWatcher.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t appends = 10'000;

// Lines seen by one reader, each with the time it was seen.
class Arrivals
{
public:
    void arrived(int lines)
    {
        const auto now = Clock::now();
        {
            std::lock_guard lock(m_mutex);
            for (int i = 0; i < lines; ++i)
                m_times.push_back(now);
        }
        m_changed.notify_all();
    }
    bool waitFor(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_times.size() >= count; });
    }
    std::size_t count()
    {
        std::lock_guard lock(m_mutex);
        return m_times.size();
    }
    Clock::time_point at(std::size_t index)
    {
        std::lock_guard lock(m_mutex);
        return m_times[index];
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Clock::time_point> m_times;
};

struct Tail
{
    pid_t pid = -1;
    int output = -1;
};

Tail spawnTail(const QString& path)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const QByteArray file = QFile::encodeName(path);
    char* argv[] = {const_cast<char*>("tail"),
                    const_cast<char*>("-F"),
                    const_cast<char*>("-n"),
                    const_cast<char*>("0"),
                    const_cast<char*>(file.constData()),
                    nullptr};
    Tail tail;
    if (posix_spawnp(&tail.pid, "tail", &actions, nullptr, argv, environ) != 0)
        tail.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    tail.output = pipeEnds[0];
    return tail;
}

void readLines(int descriptor, Arrivals& arrivals)
{
    char buffer[65536];
    for (;;) {
        const ssize_t length = ::read(descriptor, buffer, sizeof buffer);
        if (length <= 0)
            return;
        arrivals.arrived(int(std::count(buffer, buffer + length, '\n')));
    }
}

struct Percentiles
{
    double p50 = 0, p99 = 0, max = 0;
};

Percentiles percentiles(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values[values.size() * 99 / 100], values.back()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("daemon.log"));
    QFile(path).open(QIODevice::WriteOnly);

    Arrivals ours;
    LogTailer tailer(path, std::make_shared<platform::InotifyFileWatcher>());
    tailer.setOnAppend([&](const QString& text) { ours.arrived(int(text.count(u'\n'))); });
    if (!tailer.start().ok())
        return 1;
    Arrivals theirs;
    const Tail tail = spawnTail(path);
    if (tail.pid < 0)
        return 1;
    std::thread tailReader(readLines, tail.output, std::ref(theirs));

    std::vector<double> ourLatency, tailLatency;
    bool complete = true;
    std::thread writer([&] {
        const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND);
        const auto append = [&](const QByteArray& line) {
            [[maybe_unused]] const ssize_t written = ::write(file, line.constData(), line.size());
            return Clock::now();
        };
        // tail prints nothing appended before it watches: warm up until it does.
        while (theirs.count() == 0 && complete) {
            const std::size_t before = ours.count();
            append("warming up\n");
            complete = ours.waitFor(before + 1);
            theirs.waitFor(1, std::chrono::milliseconds(20));
        }
        const std::size_t ourBase = ours.count(), theirBase = theirs.count();
        for (std::size_t i = 0; i < appends && complete; ++i) {
            const auto appended =
                append("line " + QByteArray::number(qulonglong(i)) + " of the benchmark\n");
            complete = ours.waitFor(ourBase + i + 1) && theirs.waitFor(theirBase + i + 1);
            const auto ms = [&](Clock::time_point at) {
                return std::chrono::duration<double, std::milli>(at - appended).count();
            };
            if (complete) {
                ourLatency.push_back(ms(ours.at(ourBase + i)));
                tailLatency.push_back(ms(theirs.at(theirBase + i)));
            }
        }
        ::close(file);
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    QCoreApplication::exec();
    writer.join();
    ::kill(tail.pid, SIGTERM);
    ::waitpid(tail.pid, nullptr, 0);
    tailReader.join();

    if (!complete || ourLatency.empty()) {
        std::printf("incomplete: a reader missed an append\n");
        return 1;
    }
    const Percentiles a = percentiles(ourLatency), b = percentiles(tailLatency);
    std::printf("appends: %zu\n", ourLatency.size());
    std::printf("LogTailer   p50 %.3f ms  p99 %.3f ms  max %.3f ms  (goal: p99 < 1 ms)\n", a.p50,
                a.p99, a.max);
    std::printf("tail -F     p50 %.3f ms  p99 %.3f ms  max %.3f ms\n", b.p50, b.p99, b.max);
    std::printf("ratio       p50 %.2fx  p99 %.2fx\n", a.p50 / b.p50, a.p99 / b.p99);
    return 0;
}
