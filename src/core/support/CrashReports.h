#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

// Finds the system's crash and diagnostic reports that concern Zentrope or its
// daemon, for support to look at. Only reads the reports folder, and never
// fails: whatever cannot be read just means fewer reports.
class CrashReports
{
public:
    struct Report
    {
        QUrl url;            // the report file; its identity in lists
        QDateTime createdAt; // content modification, or distantPast() when unknown

        friend bool operator==(const Report&, const Report&) = default;
    };

    // How much of a report is searched for a mention of the product.
    static constexpr qsizetype headLength = 2048;

    // ~/Library/Logs/DiagnosticReports, computed once per process.
    static QString reportsDirectory();
    // The newest reports in reportsDirectory(), newest first, at most `limit`.
    static QList<Report> recent(int limit);
    // The same, in `directory`.
    static QList<Report> recent(int limit, const QString& directory);

    // The two tests of whether a report concerns the product: its file name,
    // and otherwise its first headLength bytes, read as UTF-8 (a character
    // cut at the end of a full head is forgiven).
    static bool nameMarksProduct(const QString& fileName);
    static bool headMarksProduct(QByteArrayView head);

    // The date of reports whose modification date cannot be had.
    static QDateTime distantPast();
};
