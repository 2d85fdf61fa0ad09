// Sustained follow: a writer appends 100 MB at full speed while the logs model
// follows the file. Every byte must arrive, in order (checked by a hash), the
// buffer must stay within its bound, and the process's peak RSS under 64 MiB.
#include "FollowedLog.h"
#include "core/logs/LogBuffer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qint64 totalBytes = 100'000'000;

// FNV-1a, so that order and content are both checked without keeping the bytes.
struct Hash
{
    quint64 value = 1469598103934665603ULL;
    void add(QByteArrayView bytes)
    {
        for (char byte : bytes)
            value = (value ^ quint8(byte)) * 1099511628211ULL;
    }
};

long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FollowedLog log;
    if (!log.bound)
        return 1;
    LogsModel& model = log.model;

    Hash received;
    qint64 receivedBytes = 0;
    qsizetype largestBuffer = 0;
    int chunks = 0, trims = 0;
    QObject::connect(&model, &LogsModel::contentAppended, [&](const QString& text, bool trimmed) {
        const QByteArray bytes = text.toUtf8();
        received.add(bytes);
        receivedBytes += bytes.size();
        ++chunks;
        trims += trimmed ? 1 : 0;
        // ASCII text: characters are bytes, so this is the buffer's UTF-8 size.
        largestBuffer = std::max(largestBuffer, model.content().size());
    });

    Hash written;
    std::atomic<bool> writerDone = false;
    QElapsedTimer elapsed;
    elapsed.start();
    std::thread writer([&] {
        const int file =
            ::open(QFile::encodeName(model.filePath()).constData(), O_WRONLY | O_APPEND);
        QByteArray block;
        for (int line = 0; block.size() < 65536; ++line)
            block += "2024-05-01T12:00:00Z info request " + QByteArray::number(line) +
                     " handled in 12 ms path=/api/status\n";
        for (qint64 left = totalBytes; left > 0;) {
            const QByteArrayView piece =
                QByteArrayView(block).first(std::min<qint64>(left, block.size()));
            const ssize_t count = ::write(file, piece.data(), std::size_t(piece.size()));
            if (count <= 0)
                break;
            written.add(piece.first(count));
            left -= count;
        }
        ::close(file);
        writerDone = true;
    });
    qint64 writerMs = -1;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (writerDone && writerMs < 0)
            writerMs = elapsed.elapsed();
        if ((writerDone && receivedBytes >= totalBytes) || elapsed.elapsed() > 120'000)
            QCoreApplication::quit();
    });
    check.start(5);
    QCoreApplication::exec();
    writer.join();

    const qint64 ms = elapsed.elapsed();
    std::printf("written %lld bytes in %lld ms; followed to the last byte in %lld ms (%.0f MB/s)\n",
                totalBytes, writerMs, ms, double(receivedBytes) / 1000.0 / double(ms));
    std::printf("received %lld bytes in %d chunks, %s\n", receivedBytes, chunks,
                received.value == written.value ? "identical" : "DIFFERENT");
    std::printf("buffer: largest %lld bytes (bound %lld), trimmed %d times\n",
                qint64(largestBuffer), qint64(LogsModel::maxBufferBytes), trims);
    std::printf("peak RSS %.1f MiB (goal < 64 MiB)\n", double(peakResidentKiB()) / 1024.0);
    return received.value == written.value && largestBuffer <= LogsModel::maxBufferBytes ? 0 : 1;
}
