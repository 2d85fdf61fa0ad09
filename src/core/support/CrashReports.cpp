#include "core/support/CrashReports.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readUpTo(int fd, qsizetype length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < length) {
        const ssize_t got = ::read(fd, bytes.data() + filled, std::size_t(length - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {}; // a failed read gives no bytes at all, not a partial window
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

bool isRegularFile(const struct stat& info)
{
    return S_ISREG(info.st_mode);
}

// Only regular files are opened, and without blocking: opening a FIFO found in
// the folder would wait for a writer forever, and a device has no business
// being woken. The type is checked again on the open file, because the entry
// may have been replaced since it was first looked at.
QByteArray readHead(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    if (::stat(native.constData(), &info) != 0 || !isRegularFile(info))
        return {};
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray head;
    if (::fstat(fd, &info) == 0 && isRegularFile(info))
        head = readUpTo(fd, CrashReports::headLength);
    ::close(fd); // a failure to close changes nothing about what was read
    return head;
}

// Drops a multi-byte character cut in two at the end of `bytes`, so that a
// report whose head happens to end inside one is still read.
QByteArrayView withoutCutCharacter(QByteArrayView bytes)
{
    qsizetype lead = bytes.size();
    int continuations = 0;
    while (continuations < 3 && lead > 0 && (uchar(bytes[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuations;
    }
    if (lead == 0)
        return bytes;
    const uchar first = uchar(bytes[lead - 1]);
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return continuations + 1 < length ? bytes.first(lead - 1) : bytes;
}

bool concernsProduct(const QFileInfo& entry)
{
    return CrashReports::nameMarksProduct(entry.fileName()) ||
           CrashReports::headMarksProduct(readHead(entry.filePath()));
}

} // namespace

QString CrashReports::reportsDirectory()
{
    static const QString directory =
        QDir::homePath() + QStringLiteral("/Library/Logs/DiagnosticReports");
    return directory;
}

QList<CrashReports::Report> CrashReports::recent(int limit)
{
    return recent(limit, reportsDirectory());
}

QList<CrashReports::Report> CrashReports::recent(int limit, const QString& directory)
{
    QList<Report> reports;
    if (limit <= 0)
        return reports;
    // Without QDir::Hidden, entries whose names begin with a dot are skipped;
    // QDir::System keeps FIFOs, sockets and devices, which the name test may still select.
    QDirIterator entries(directory, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        if (!concernsProduct(entry))
            continue;
        const QDateTime modified = entry.lastModified();
        reports.append(
            {QUrl::fromLocalFile(entry.filePath()), modified.isValid() ? modified : distantPast()});
    }
    std::stable_sort(reports.begin(), reports.end(),
                     [](const Report& a, const Report& b) { return a.createdAt > b.createdAt; });
    if (reports.size() > limit)
        reports.resize(limit);
    return reports;
}

bool CrashReports::nameMarksProduct(const QString& fileName)
{
    return fileName.toLower().startsWith(u"zentrope");
}

bool CrashReports::headMarksProduct(QByteArrayView head)
{
    QByteArrayView text = head;
    if (head.size() == headLength)
        text = withoutCutCharacter(text);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(text);
    // Reports that are not UTF-8 are dropped. The case-insensitive name also
    // covers the daemon's identifier "com.zentrope.daemon".
    return !decoder.hasError() && decoded.contains(u"Zentrope", Qt::CaseInsensitive);
}

QDateTime CrashReports::distantPast()
{
    return QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
}
