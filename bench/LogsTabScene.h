#pragma once

#include "core/context/ApplicationContext.h"
#include "platform/Services.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <vector>

// What the logs tab is handed in the application, in a throwaway folder:
// the native services (inotify), a defaults file and the log folder.
struct LogsTabScene
{
    QTemporaryDir dir;
    QString logDirectory = dir.filePath(QStringLiteral("Logs/Zentrope"));
    std::unique_ptr<ApplicationContext> context = [this] {
        const Bundle bundle(dir.filePath(QStringLiteral("Zentrope.app")));
        ApplicationContext::DaemonSettings daemon;
        daemon.logDirectory = logDirectory;
        return std::make_unique<ApplicationContext>(
            platform::nativeServices(bundle),
            UserDefaults(dir.filePath(QStringLiteral("defaults.conf"))), bundle, daemon);
    }();
    QString logPath() const { return logDirectory + QStringLiteral("/daemon.log"); }
};

// Daemon-like log lines, some with non-ASCII text, `size` bytes in all.
inline QByteArray logLines(qsizetype size, int firstLine = 0)
{
    const char* levels[] = {"info ", "debug", "warn ", "error"};
    QByteArray text;
    text.reserve(size + 128);
    for (int line = firstLine; text.size() < size; ++line) {
        text += "2026-12-05T09:52:" + QByteArray::number(10 + line % 50) + ".120Z " +
                levels[line % 4] + " session " + QByteArray::number(line) +
                (line % 7 == 0 ? " Größe der Antwort: 42 KB — réponse envoyée\n"
                               : " GET /api/status 200 in 3 ms\n");
    }
    text.truncate(size - 1);
    return text + '\n';
}

struct Figures
{
    double median, p99, max;
};

inline Figures figures(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return {0, 0, 0};
    return {values[values.size() / 2],
            values[std::min(values.size() - 1, values.size() * 99 / 100)], values.back()};
}

// Resident memory now, in KiB.
inline long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}
