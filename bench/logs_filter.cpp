// setFilter() and displayedContent() over a full 1 MiB buffer while a filter
// is typed, per keystroke: the first after the buffer changed, then the rest.
#include "FollowedLog.h"
#include "core/logs/LogBuffer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// Log lines with some non-ASCII text, filling exactly `size` bytes of UTF-8.
QByteArray logText(qsizetype size)
{
    const char* levels[] = {"info", "debug", "warn", "ERROR"};
    QByteArray text;
    for (int line = 0; text.size() < size; ++line) {
        text += "2024-05-01T12:00:" + QByteArray::number(line % 60) + "Z " + levels[line % 4] +
                " session " + QByteArray::number(line) +
                (line % 7 == 0 ? " Größe der Antwort: 42 KB — réponse envoyée\n"
                               : " GET /api/status 200 in 3 ms\n");
    }
    text.truncate(size - 1);
    return text + '\n';
}

// Wall time, and the CPU time of this thread: on a shared machine the
// second shows the work itself, the first also the waiting for a core.
class Stopwatch
{
public:
    void start()
    {
        m_wall.start();
        m_cpu = cpuMs();
    }
    double wallMs() const { return double(m_wall.nsecsElapsed()) / 1e6; }
    double cpuMsSinceStart() const { return cpuMs() - m_cpu; }

private:
    static double cpuMs()
    {
        timespec now = {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    }
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

struct Summary
{
    double median, p90, max;
};

Summary summarize(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 9 / 10], times.back()};
}

// Appends a full buffer's worth to the followed file and waits until it is in.
bool fill(LogsModel& model)
{
    QFile file(model.filePath());
    if (!file.open(QIODevice::Append))
        return false;
    file.write(logText(LogsModel::maxBufferBytes));
    file.close();
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (LogBuffer::utf8Size(model.content()) == LogsModel::maxBufferBytes)
            QCoreApplication::quit();
    });
    check.start(5);
    QCoreApplication::exec();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FollowedLog log;
    if (!log.bound)
        return 1;
    LogsModel& model = log.model;
    if (!fill(model))
        return 1;

    const QStringList keystrokes = {QStringLiteral("e"),     QStringLiteral("er"),
                                    QStringLiteral("err"),   QStringLiteral("erro"),
                                    QStringLiteral("error"), QStringLiteral("g"),
                                    QStringLiteral("grö"),   QStringLiteral("GRÖSSE")};
    Stopwatch timer;
    timer.start();
    model.setFilter(keystrokes.first());
    qsizetype shown = model.displayedContent().size();
    const double firstWall = timer.wallMs(), firstCpu = timer.cpuMsSinceStart();
    // Cleared and filled again, with nothing displayed meanwhile: all of it unfolded.
    model.setFilter({});
    model.clear();
    if (!fill(model))
        return 1;
    timer.start();
    model.setFilter(keystrokes.first());
    shown += model.displayedContent().size();
    const double coldWall = timer.wallMs(), coldCpu = timer.cpuMsSinceStart();

    std::vector<double> wall, cpu;
    for (int round = 0; round < 40; ++round) {
        for (const QString& filter : keystrokes) {
            timer.start();
            model.setFilter(filter);
            shown += model.displayedContent().size();
            wall.push_back(timer.wallMs());
            cpu.push_back(timer.cpuMsSinceStart());
        }
    }
    const Summary w = summarize(wall), c = summarize(cpu);
    std::printf("buffer %lld bytes of UTF-8, %lld characters\n",
                qint64(LogBuffer::utf8Size(model.content())), qint64(model.content().size()));
    std::printf("first keystroke of the process: %.2f ms (CPU %.2f ms)\n", firstWall, firstCpu);
    std::printf("first keystroke after the buffer was refilled: %.2f ms (CPU %.2f ms)\n", coldWall,
                coldCpu);
    std::printf(
        "keystrokes (%zu), wall: median %.2f ms  p90 %.2f ms  max %.2f ms (goal: median < 5 ms)\n",
        wall.size(), w.median, w.p90, w.max);
    std::printf("keystrokes (%zu), CPU:  median %.2f ms  p90 %.2f ms  max %.2f ms\n", cpu.size(),
                c.median, c.p90, c.max);
    return shown > 0 ? 0 : 1;
}
