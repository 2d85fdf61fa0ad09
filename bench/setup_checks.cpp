// What the setup checks cost the thread that runs them: the latency of one
// certificate check (an openssl run, which evaluation does on the main thread)
// against starting /bin/true the same way; and how fast the installer's
// output is captured, against `producer | cat > /dev/null` in the same run.
#include "core/process/CapturedProcess.h"
#include "core/setup/CertificateValidity.h"
#include "platform/linux/OpensslCertificateTrust.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int checkRounds = 200;
constexpr int captureRounds = 5;
constexpr qint64 captureBytes = 64LL * 1024 * 1024;

struct Figures
{
    double median;
    double p99;
};

Figures milliseconds(const std::function<bool()>& check)
{
    std::vector<double> samples;
    for (int round = 0; round < checkRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        if (!check())
            std::fprintf(stderr, "a check answered no\n");
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

double seconds(const std::function<void()>& work)
{
    std::vector<double> samples;
    for (int round = 0; round < captureRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void captureOnce(const QString& producer)
{
    auto future = CapturedProcess::run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), producer});
    future.waitForFinished();
    if (future.result().value().bytes.size() != captureBytes)
        std::fprintf(stderr, "captured a wrong byte count\n");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString cert = folder.filePath(QStringLiteral("localhost.crt"));
    QProcess::execute(QStringLiteral("/usr/bin/openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                       QStringLiteral("rsa:2048"), QStringLiteral("-nodes"),
                       QStringLiteral("-days"), QStringLiteral("30"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=localhost"), QStringLiteral("-keyout"),
                       folder.filePath(QStringLiteral("localhost.key")), QStringLiteral("-out"),
                       cert});
    qputenv("SSL_CERT_FILE", cert.toUtf8()); // the certificate is its own trusted root

    const CheckProgram truth(QStringLiteral("/bin/true"));
    const CertificateValidity validity;
    platform::OpensslCertificateTrust trust;
    const Figures baseline = milliseconds([&] { return truth.run({}); });
    const Figures valid = milliseconds([&] { return validity.isValidForAtLeastDays(cert, 1); });
    const Figures trusted = milliseconds([&] { return trust.isTrustedForSsl(cert); });
    std::printf("one check, %d runs: median / p99 in ms\n", checkRounds);
    std::printf("  /bin/true           : %6.2f / %6.2f\n", baseline.median, baseline.p99);
    std::printf("  validity (openssl)  : %6.2f / %6.2f  (%.1fx /bin/true)\n", valid.median,
                valid.p99, valid.median / baseline.median);
    std::printf("  trust (openssl)     : %6.2f / %6.2f  (%.1fx /bin/true)\n", trusted.median,
                trusted.p99, trusted.median / baseline.median);

    const QString producer = QStringLiteral("head -c %1 /dev/zero").arg(captureBytes);
    const double direct = seconds([&] {
        QProcess::execute(QStringLiteral("/bin/sh"),
                          {QStringLiteral("-c"), producer + QStringLiteral(" | cat > /dev/null")});
    });
    const double captured = seconds([&] { captureOnce(producer); });
    std::printf("installer output, 64 MiB, median of %d rounds\n", captureRounds);
    std::printf("  producer | cat      : %.3f s\n", direct);
    std::printf("  captured in memory  : %.3f s  (%.0f %% of the direct copy's speed)\n", captured,
                100.0 * direct / captured);
    return 0;
}
