// The tray icon against a bare Qt program that shows only a tray icon
// (bench/bare/bare_tray.cpp), in one run, on Xvfb with trayer:
//   - exec → the icon shows in the tray: the time until the program's window
//     is embedded in trayer and viewable (read over the X protocol, polled
//     every millisecond); goal: Zentrope within 2× the bare program;
//   - with the main window closed and the daemon running: the resident memory
//     of the application's process (not the daemon's); goal ≤ 40 MiB;
//   - wake-ups while idle: the context switches of all the process's threads
//     over 60 s (both programs idle side by side); goal: the bare program's
//     plus a handful, since nothing polls while nothing is shown.
// Zentrope runs from the bundle with a throwaway home: not its first run (no
// window), no scheduled update checks, its daemon on a free port.
// bench_tray [rounds (9)] [idle seconds (60)] [idle rounds (3)]
#include "support/XSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

struct Program
{
    const char* name;
    QString path;
    QProcessEnvironment environment;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A field of /proc/<pid>/status, in its unit (kB for memory).
qint64 statusField(qint64 pid, const QByteArray& field)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLongLong();
    return 0;
}

// The context switches of each thread of `pid`, by thread id.
QHash<QString, qint64> switchesByThread(qint64 pid)
{
    QHash<QString, qint64> switches;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks + u'/' + task + QStringLiteral("/status"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        qint64 sum = 0;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                sum += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        switches.insert(task, sum);
    }
    return switches;
}

// Wake-ups of all the threads of `pid` over `seconds`, read every 100 ms so
// that a thread that ends meanwhile (a pool's idle thread expiring) still
// counts, up to its last reading; a thread that starts counts from zero.
// Reading /proc does not wake the process.
qint64 wakeUpsOver(qint64 pid, int seconds)
{
    const QHash<QString, qint64> start = switchesByThread(pid);
    QHash<QString, qint64> last = start;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000LL) {
        QThread::msleep(100);
        const QHash<QString, qint64> now = switchesByThread(pid);
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            last.insert(it.key(), it.value());
    }
    qint64 total = 0;
    for (auto it = last.cbegin(); it != last.cend(); ++it)
        total += it.value() - start.value(it.key(), 0);
    return total;
}

class Running
{
public:
    Running(const Program& program, const XSession& desktop)
        : m_desktop(desktop)
    {
        m_process.setProcessEnvironment(program.environment);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        m_process.start(program.path, {});
        m_pid = m_process.processId();
        while (clock.elapsed() < 20000 && !desktop.trayIconOf(m_pid))
            QThread::usleep(1000);
        m_shownAfter = desktop.trayIconOf(m_pid) ? double(clock.nsecsElapsed()) / 1e6 : -1;
    }
    ~Running()
    {
        m_process.terminate(); // Zentrope stops its daemon first
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished();
        // The tray lets go of the icon before the next program starts.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000 && m_desktop.trayIconOf(m_pid))
            QThread::msleep(5);
    }

    qint64 pid() const { return m_pid; }
    double shownAfter() const { return m_shownAfter; }

private:
    const XSession& m_desktop;
    QProcess m_process;
    qint64 m_pid = 0;
    double m_shownAfter = -1;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const int idleSeconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
    const int idleRounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    if (const QString missing = XSession::missingPrograms(); !missing.isEmpty()) {
        std::printf("skipped: needs %s\n", qPrintable(missing));
        return 0;
    }
    XSession desktop;
    if (!desktop.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(desktop.error()));
        return 1;
    }

    QTemporaryDir scratch;
    const QString home = scratch.filePath(QStringLiteral("home"));
    const QString runtime = scratch.filePath(QStringLiteral("runtime"));
    QDir().mkpath(home + QStringLiteral("/.config/Zentrope"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile settings(home + QStringLiteral("/.config/Zentrope/Zentrope.conf"));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write("[General]\nzentrope.firstRun.completed=true\n"
                       "zentrope.launchAtLogin.registered=true\nSUEnableAutomaticChecks=false\n") <
            0)
        return 1;
    settings.close();

    QProcessEnvironment environment = desktop.environment(QProcessEnvironment::systemEnvironment());
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("ZENTROPE_DAEMON_PORT"), QStringLiteral("0"));
    const Program bare{"bare tray", QStringLiteral(BARE_TRAY_PATH), environment};
    const Program zentrope{"Zentrope", QStringLiteral(ZENTROPE_APP_DIR "/Contents/MacOS/Zentrope"),
                           environment};

    std::vector<double> shown[2];
    for (int round = 0; round < rounds + 1; ++round) {
        for (int which = 0; which < 2; ++which) {
            const Running running(which == 0 ? bare : zentrope, desktop);
            if (running.shownAfter() < 0) {
                std::fprintf(stderr, "%s: no icon in the tray\n", which ? "Zentrope" : "bare");
                return 1;
            }
            if (round > 0) // the first round warms the caches
                shown[which].push_back(running.shownAfter());
        }
    }
    const double bareShown = median(shown[0]);
    const double zentropeShown = median(shown[1]);
    std::printf("exec → icon in the tray, median of %d (ms): bare %.1f, Zentrope %.1f, ratio %.2f "
                "(goal ≤ 2)\n",
                rounds, bareShown, zentropeShown, zentropeShown / bareShown);

    std::vector<double> rss[2];
    std::vector<double> wakes[2];
    for (int round = 0; round < idleRounds; ++round) {
        const Running runningBare(bare, desktop);
        const Running runningZentrope(zentrope, desktop);
        const qint64 pids[2] = {runningBare.pid(), runningZentrope.pid()};
        QThread::sleep(3); // settled: the daemon started, the first paint done
        for (int which = 0; which < 2; ++which)
            rss[which].push_back(double(statusField(pids[which], "VmRSS")) / 1024);
        // Both idle side by side; each watched for the same span.
        std::atomic<qint64> bareWakes = 0;
        std::thread watchBare([&] { bareWakes = wakeUpsOver(pids[0], idleSeconds); });
        wakes[1].push_back(double(wakeUpsOver(pids[1], idleSeconds)));
        watchBare.join();
        wakes[0].push_back(double(bareWakes));
    }
    std::printf("resident memory while idle, median of %d (MiB): bare %.1f, Zentrope %.1f, ratio "
                "%.2f (goal ≤ 40 MiB)\n",
                idleRounds, median(rss[0]), median(rss[1]), median(rss[1]) / median(rss[0]));
    std::printf("wake-ups (context switches, all threads) over %d s idle, median of %d: bare %.0f, "
                "Zentrope %.0f (goal: the bare program's plus a handful)\n",
                idleSeconds, idleRounds, median(wakes[0]), median(wakes[1]));
    return 0;
}
