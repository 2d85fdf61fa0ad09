// The logs tab following a log that a writer grows by 10 MB/s for 10 s (or
// the seconds given: bench_ui_logs_follow 60)
// (100 kB every 10 ms), follow on, at a window's usual size: a frame is asked
// for every 16 ms, and each one measured — the time between frames (the main
// thread also takes every appended chunk) and the paint itself (goal: under
// 16 ms). The process's resident memory is sampled every second: it must stay
// flat once the buffer has reached its bound.
#include "LogsTabScene.h"
#include "ui/tabs/LogsTab.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qint64 bytesPerTick = 100'000; // every 10 ms: 10 MB/s

// Appends at a steady 10 MB/s until told to stop; returns the bytes written.
qint64 write(const QString& path, const std::atomic<bool>& stop)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return -1;
    qint64 written = 0;
    int line = 0;
    auto next = std::chrono::steady_clock::now();
    while (!stop) {
        const QByteArray chunk = logLines(bytesPerTick, line);
        line += 1'700;
        for (qsizetype done = 0; done < chunk.size();) {
            const ssize_t wrote =
                ::write(fd, chunk.constData() + done, size_t(chunk.size() - done));
            if (wrote <= 0)
                break;
            done += wrote;
        }
        written += chunk.size();
        next += std::chrono::milliseconds(10);
        std::this_thread::sleep_until(next);
    }
    ::close(fd);
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, QByteArray(argv[1]).toInt()) : 10;
    LogsTabScene scene;
    QDir().mkpath(scene.logDirectory);
    QFile(scene.logPath()).open(QIODevice::WriteOnly);

    LogsTab tab(*scene.context);
    tab.resize(640, 440);
    tab.show();
    qint64 received = 0;
    QObject::connect(&tab.model(), &LogsModel::contentAppended,
                     [&](const QString& text) { received += text.size(); });

    std::atomic<bool> stop = false;
    qint64 written = 0;
    std::thread writer([&] { written = write(scene.logPath(), stop); });

    std::vector<double> intervals, paints;
    std::vector<long> resident;
    QElapsedTimer clock;
    clock.start();
    qint64 lastFrame = 0;
    QTimer frames;
    frames.setTimerType(Qt::PreciseTimer);
    QObject::connect(&frames, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (now > 1'000'000'000) { // the first second fills the buffer to its bound
            intervals.push_back(double(now - lastFrame) / 1e6);
            QElapsedTimer paint;
            paint.start();
            tab.repaint();
            paints.push_back(double(paint.nsecsElapsed()) / 1e6);
        }
        lastFrame = clock.nsecsElapsed();
    });
    frames.start(16);
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { resident.push_back(residentKiB()); });
    sampler.start(1000);
    QTimer::singleShot(seconds * 1000, [&] {
        stop = true;
        writer.join();
        // What is still on its way arrives, then the figures.
        QTimer::singleShot(500, &app, &QApplication::quit);
    });
    QApplication::exec();

    const Figures interval = figures(intervals), paint = figures(paints);
    std::printf("wrote %.1f MB in %d s; the tab took in %.1f M characters\n", double(written) / 1e6,
                seconds, double(received) / 1e6);
    std::printf("time between frames asked every 16 ms, %zu frames: median %.1f ms  p99 %.1f ms  "
                "max %.1f ms\n",
                intervals.size(), interval.median, interval.p99, interval.max);
    std::printf("paint of the tab: median %.2f ms  p99 %.2f ms  max %.2f ms (goal: < 16 ms)\n",
                paint.median, paint.p99, paint.max);
    std::printf("resident memory each second (MiB):");
    for (const long kib : resident)
        std::printf(" %.1f", double(kib) / 1024);
    std::printf("\n");
    return received > 0 ? 0 : 1;
}
