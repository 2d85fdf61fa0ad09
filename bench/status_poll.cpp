// What polling the daemon's status costs the application: latency of 1,000
// sequential DaemonAPI::status() calls against the stand-in daemon, over plain
// HTTP (each poll first fails over HTTPS, as for a daemon without its
// certificate) and over HTTPS trusted through a throwaway certificate; and
// the client's CPU time per poll (all its threads). The status tab polls every
// 2 s; the goal is under 0.1 % of one core. "cold" polls take a new channel
// each time, so every poll pays for a new connection, TLS handshake and
// network thread, as after the daemon closed an idle connection.
#include "core/api/DaemonAPI.h"
#include "core/base/Bundle.h"
#include "core/daemon/DaemonLocator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int warmPolls = 1000;
constexpr int coldPolls = 100;
constexpr double pollIntervalSeconds = 2.0;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool poll(DaemonChannel& channel)
{
    auto future = DaemonAPI::status(channel);
    QEventLoop loop;
    future.then(&loop,
                [&loop](const Result<DaemonAPI::Status, DaemonAPI::Error>&) { loop.quit(); });
    if (!future.isFinished())
        loop.exec();
    const auto result = future.result();
    if (!result.ok())
        std::fprintf(stderr, "poll failed: %s\n", qPrintable(result.error().logText()));
    return result.ok();
}

// The stand-in daemon with `home` as its home folder, on a free port.
class Daemon
{
public:
    explicit Daemon(const QString& home)
    {
        const auto files = DaemonLocator(Bundle(QStringLiteral(ZENTROPE_APP_DIR))).locate();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("ZENTROPE_DAEMON_PORT"), QStringLiteral("0"));
        m_process.setProcessEnvironment(environment);
        // To a file, so that its line per request costs our process nothing.
        const QString output = home + QStringLiteral("/daemon.out");
        m_process.setStandardOutputFile(output);
        m_process.start(files ? files.value().nodeBinary : QString(),
                        {files ? files.value().entryScript : QString()});
        QByteArray line;
        QDeadlineTimer deadline(std::chrono::seconds(20));
        while (!line.endsWith('\n') && !deadline.hasExpired()) {
            QThread::msleep(10);
            QFile file(output);
            line = file.open(QIODevice::ReadOnly) ? file.readLine() : QByteArray();
        }
        line = line.trimmed();
        port = line.mid(line.lastIndexOf(':') + 1).toUShort();
        std::printf("%s\n", line.constData());
    }
    ~Daemon()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }

    quint16 port = 0;

private:
    QProcess m_process;
};

struct Figures
{
    double medianMs = 0;
    double p99Ms = 0;
    double cpuMsPerPoll = 0;
};

// `channelForPoll` is asked before each poll, outside what is measured.
Figures measure(int polls, const std::function<DaemonChannel&()>& channelForPoll)
{
    std::vector<double> latencies;
    latencies.reserve(std::size_t(polls));
    double cpu = 0;
    for (int i = 0; i < polls; ++i) {
        DaemonChannel& channel = channelForPoll();
        const double cpuBefore = cpuSeconds();
        QElapsedTimer clock;
        clock.start();
        if (!poll(channel))
            std::exit(1);
        latencies.push_back(double(clock.nsecsElapsed()) / 1e6);
        cpu += cpuSeconds() - cpuBefore;
    }
    std::sort(latencies.begin(), latencies.end());
    return {latencies[latencies.size() / 2], latencies[latencies.size() * 99 / 100],
            cpu * 1000 / polls};
}

void report(const char* name, const Figures& figures)
{
    const double share = figures.cpuMsPerPoll / 1000 / pollIntervalSeconds * 100;
    std::printf("%-11s median %7.3f ms  p99 %7.3f ms  cpu/poll %6.3f ms  at one poll per 2 s: "
                "%.4f %% of a core\n",
                name, figures.medianMs, figures.p99Ms, figures.cpuMsPerPoll, share);
}

void run(const char* name, quint16 port, const QList<QSslCertificate>& trusted)
{
    DaemonChannel warm(port, trusted);
    measure(20, [&]() -> DaemonChannel& { return warm; }); // connections and caches
    report(name, measure(warmPolls, [&]() -> DaemonChannel& { return warm; }));
    std::unique_ptr<DaemonChannel> cold;
    const auto fresh = [&]() -> DaemonChannel& {
        cold = std::make_unique<DaemonChannel>(port, trusted);
        return *cold;
    };
    report((QByteArray(name) + " cold").constData(), measure(coldPolls, fresh));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir plainHome;
    QTemporaryDir tlsHome;
    const QString certs = tlsHome.filePath(QStringLiteral(".zentrope/certs"));
    QDir().mkpath(certs);
    const QString certificate = certs + QStringLiteral("/localhost.crt");
    QProcess openssl;
    openssl.setStandardErrorFile(QProcess::nullDevice());
    openssl.start(QStringLiteral("/usr/bin/openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-nodes"),
                   QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-days"),
                   QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"),
                   QStringLiteral("-keyout"), certs + QStringLiteral("/localhost.key"),
                   QStringLiteral("-out"), certificate});
    const bool made = openssl.waitForFinished() && openssl.exitCode() == 0;
    if (!made)
        return 1;

    Daemon plain(plainHome.path());
    Daemon tls(tlsHome.path());
    if (plain.port == 0 || tls.port == 0)
        return 1;
    run("http", plain.port, {});
    run("https", tls.port, QSslCertificate::fromPath(certificate));
    return 0;
}
