// Capture throughput of the daemon supervisor: a child writes 512 MiB to its
// standard output in 64 KiB writes; we time until daemon.log holds every byte,
// against `producer | cat > file` in the same run, and report peak RSS.
#include "core/daemon/DaemonManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr qint64 totalBytes = 512LL * 1024 * 1024;
const char* const producer = "exec dd if=/dev/zero bs=65536 count=8192 status=none";
constexpr int rounds = 9;

double directCopySeconds(const QString& folder)
{
    const QString target = folder + QStringLiteral("/direct.out");
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"),
                       QString::fromUtf8(producer) + QStringLiteral(" | cat > '%1'").arg(target)});
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (QFileInfo(target).size() != totalBytes)
        std::fprintf(stderr, "direct copy wrote %lld bytes\n", QFileInfo(target).size());
    QFile::remove(target);
    return seconds;
}

double supervisedSeconds(const QString& folder)
{
    const QString bundle = folder + QStringLiteral("/Bench.app");
    const QString daemon = bundle + QStringLiteral("/Contents/Resources/Daemon");
    QDir().mkpath(daemon);
    QFile node(daemon + QStringLiteral("/node"));
    node.open(QIODevice::WriteOnly);
    node.write(QByteArray("#!/bin/sh\n") + producer + '\n');
    node.close();
    node.setPermissions(node.permissions() | QFile::ExeOwner);
    QFile(daemon + QStringLiteral("/entry.mjs")).open(QIODevice::WriteOnly);

    const QString logs = folder + QStringLiteral("/logs");
    DaemonManager manager{Bundle(bundle), logs};
    QEventLoop loop;
    QObject::connect(&manager, &DaemonManager::childEnded, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    manager.start();
    loop.exec();
    manager.flushLogs();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const QString log = logs + QStringLiteral("/daemon.log");
    if (QFileInfo(log).size() != totalBytes)
        std::fprintf(stderr, "supervisor captured %lld bytes\n", QFileInfo(log).size());
    QFile::remove(log);
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/capture-bench-XXXXXX"));
    std::vector<double> direct, supervised;
    for (int round = 0; round < rounds; ++round) {
        direct.push_back(directCopySeconds(folder.path()));
        supervised.push_back(supervisedSeconds(folder.path()));
    }
    const double gib = double(totalBytes) / (1024.0 * 1024 * 1024);
    const double directMedian = median(direct), supervisedMedian = median(supervised);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("capture 512 MiB in 64 KiB writes, median of %d rounds\n", rounds);
    std::printf("  producer | cat > file : %.3f s  (%.2f GiB/s)\n", directMedian,
                gib / directMedian);
    std::printf("  supervisor → daemon.log: %.3f s  (%.2f GiB/s)\n", supervisedMedian,
                gib / supervisedMedian);
    std::printf("  throughput ratio       : %.1f %% of the direct copy\n",
                100.0 * directMedian / supervisedMedian);
    std::printf("  peak RSS of supervisor : %.1f MiB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
