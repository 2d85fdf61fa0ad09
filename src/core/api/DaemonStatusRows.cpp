#include "core/api/DaemonStatusRows.h"

#include "core/base/ControlCharacters.h"

#include <QCoreApplication>

namespace {

const QString granted = QStringLiteral("granted");

// The labels both permission kinds share; only the settings page differs.
QString label(const QString& value, const QString& settingsPage)
{
    if (value == granted)
        return QCoreApplication::translate("DaemonStatusRows", "Granted");
    if (value == u"denied")
        return QCoreApplication::translate(
                   "DaemonStatusRows", "Denied — open System Settings → Privacy & Security → ") +
               settingsPage;
    if (value == u"unknown")
        return QCoreApplication::translate("DaemonStatusRows", "Not yet probed");
    return DaemonStatusRows::capitalized(value);
}

} // namespace

QList<DaemonStatusRows::Row> DaemonStatusRows::rows(const DaemonStatusRecord& status)
{
    const auto& permissions = status.permissions;
    QList<Row> rows{
        {QCoreApplication::translate("DaemonStatusRows", "Daemon"),
         QCoreApplication::translate("DaemonStatusRows", "Listening — version ") + status.version,
         status.ok},
        {QCoreApplication::translate("DaemonStatusRows", "Sessions"),
         QString::number(status.activeSessions) +
             QCoreApplication::translate("DaemonStatusRows", " active"),
         true},
        {QCoreApplication::translate("DaemonStatusRows", "Prism automation"),
         permissionLabel(permissions.prismAutomation), permissions.prismAutomation == granted},
        {QCoreApplication::translate("DaemonStatusRows", "System Events"),
         permissionLabel(permissions.systemEventsAutomation),
         permissions.systemEventsAutomation == granted},
    };
    if (permissions.accessibility)
        rows.append({QCoreApplication::translate("DaemonStatusRows", "Accessibility"),
                     accessibilityLabel(*permissions.accessibility),
                     *permissions.accessibility == granted});
    // The values are the daemon's words: whatever it sends, a row stays one
    // row and cannot drive a terminal.
    for (Row& row : rows)
        row.value = ControlCharacters::escaped(row.value);
    return rows;
}

QStringList DaemonStatusRows::lines(const DaemonStatusRecord& status)
{
    QStringList lines;
    for (const Row& row : rows(status))
        lines.append(row.label + QStringLiteral(": ") + row.value);
    return lines;
}

QString DaemonStatusRows::failureLine(const DaemonApiError& error)
{
    // Qt's description may quote the server's own words (its reason phrase).
    return QCoreApplication::translate("DaemonStatusRows", "Could not reach daemon: ") +
           ControlCharacters::escaped(error.localizedDescription());
}

QString DaemonStatusRows::queryingText()
{
    return QCoreApplication::translate("DaemonStatusRows", "Querying daemon…");
}

QString DaemonStatusRows::notRunningLine(const DaemonStatus& supervisor)
{
    return QCoreApplication::translate("DaemonStatusRows", "Daemon is ") +
           supervisor.label().toLower() + u'.';
}

QString DaemonStatusRows::permissionLabel(const QString& value)
{
    return label(value, QCoreApplication::translate("DaemonStatusRows", "Automation"));
}

QString DaemonStatusRows::accessibilityLabel(const QString& value)
{
    return label(value, QCoreApplication::translate("DaemonStatusRows", "Accessibility"));
}

QString DaemonStatusRows::capitalized(const QString& text)
{
    QString result;
    result.reserve(text.size());
    qsizetype index = 0;
    while (index < text.size()) {
        qsizetype end = index;
        while (end < text.size() && text.at(end).isSpace() == text.at(index).isSpace())
            ++end;
        const QString run = text.mid(index, end - index);
        if (run.front().isSpace()) {
            result += run;
        } else {
            // Upper-casing the first code point whole keeps surrogate pairs intact.
            const qsizetype first = run.front().isHighSurrogate() && run.size() > 1 ? 2 : 1;
            result += run.left(first).toUpper() + run.mid(first).toLower();
        }
        index = end;
    }
    return result;
}
