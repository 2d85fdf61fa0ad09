// What one log's share of a diagnostics run costs: keeping the last MiB of a
// daemon log by seeking to it (LogTail::read) against reading the whole file
// and keeping its end (both decoded), for logs of 5 MB and 200 MB; then masking
// that MiB (PersonalDataMask::apply). The page cache is warm,
// so the figures show the work, not the disk. Goal: a run's cost stays flat
// however large the logs grow.
#include "core/logs/LogTail.h"
#include "core/support/DiagnosticsBundle.h"
#include "core/support/PersonalDataMask.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int rounds = 30;

QString writeLog(const QTemporaryDir& folder, qint64 bytes)
{
    const QByteArray line = "2026-12-05T09:52:04Z info session 42 opened /Users/alice/Documents/"
                            "Quarterly.xlsx for alice@example.com (prism ok)\n";
    const QString path = folder.filePath(QStringLiteral("daemon-%1.log").arg(bytes));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QByteArray block;
    while (block.size() < 1024 * 1024)
        block += line;
    for (qint64 written = 0; written < bytes; written += block.size())
        file.write(block.left(qsizetype(std::min<qint64>(block.size(), bytes - written))));
    return path;
}

void measure(const char* name, const std::function<qsizetype()>& work)
{
    std::vector<double> ms;
    qsizetype size = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        size = work();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const double p99 = ms[std::min<std::size_t>(ms.size() - 1, ms.size() * 99 / 100)];
    std::printf("%-30s median %8.3f ms  p99 %8.3f ms  (%lld bytes)\n", name, ms[ms.size() / 2], p99,
                static_cast<long long>(size));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    for (const qint64 bytes : {qint64(5'000'000), qint64(200'000'000)}) {
        const QString path = writeLog(folder, bytes);
        const QByteArray label = QByteArray::number(bytes / 1'000'000) + " MB";
        measure(("seek to tail, " + label).constData(), [&] {
            return LogTail::read(path, DiagnosticsBundle::logTailBytes).value().text.size();
        });
        measure(("read whole, keep tail, " + label).constData(), [&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            return QString::fromUtf8(file.readAll().right(DiagnosticsBundle::logTailBytes)).size();
        });
    }
    const QString tail = LogTail::read(folder.filePath(QStringLiteral("daemon-5000000.log")),
                                       DiagnosticsBundle::logTailBytes)
                             .value()
                             .text;
    const QStringList homes{QStringLiteral("/Users/alice")};
    measure("decode and mask 1 MiB", [&] { return PersonalDataMask::apply(tail, homes).size(); });
    return 0;
}
