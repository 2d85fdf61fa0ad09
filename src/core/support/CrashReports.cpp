#include "core/support/CrashReports.h"

#include "core/base/RegularFile.h"

#include <QDir>
#include <QDirIterator>
#include <QStringDecoder>
#include <algorithm>

namespace {

// Only regular files are read, and opened without blocking: a FIFO found in
// the folder would wait for a writer forever, and a device has no business
// being woken (see RegularFile).
QByteArray readHead(const QString& path)
{
    const auto file = RegularFile::openForReading(path, RegularFile::FinalLink::follow);
    if (!file)
        return {};
    // A failed read gives no bytes at all, not a partial window.
    const auto head = file.value().readAt(0, CrashReports::headLength);
    return head ? head.value() : QByteArray();
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
