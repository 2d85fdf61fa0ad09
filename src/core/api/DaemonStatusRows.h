#pragma once

#include "core/api/DaemonStatusRecord.h"
#include "core/daemon/DaemonStatus.h"

#include <QList>
#include <QString>
#include <QStringList>

// How a status answer is shown: the rows of the status tab and of
// `zentropectl status`, with the permission values turned into labels.
class DaemonStatusRows
{
public:
    struct Row
    {
        QString label;
        QString value;
        bool ok = false; // drawn as a check mark rather than a warning

        friend bool operator==(const Row&, const Row&) = default;
    };

    DaemonStatusRows() = delete;

    // Daemon, Sessions, Prism automation, System Events, and Accessibility
    // only when the answer carries it. Control characters in the daemon's
    // words are shown escaped.
    static QList<Row> rows(const DaemonStatusRecord& status);
    // The rows as "<label>: <value>" lines.
    static QStringList lines(const DaemonStatusRecord& status);

    // "Could not reach daemon: " and the error's description.
    static QString failureLine(const DaemonApiError& error);
    // "Querying daemon…": running, and no answer yet.
    static QString queryingText();
    // "Daemon is stopped.", "Daemon is crashed (exit 3).": not running.
    static QString notRunningLine(const DaemonStatus& supervisor);

    static QString permissionLabel(const QString& value);
    static QString accessibilityLabel(const QString& value);
    // First letter of each whitespace-separated word upper case, the rest lower.
    static QString capitalized(const QString& text);
};
