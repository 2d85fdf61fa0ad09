#include "core/api/DaemonStatusRows.h"

#include "core/base/ControlCharacters.h"

namespace {

const QString granted = QStringLiteral("granted");

// The labels both permission kinds share; only the settings page differs.
QString label(const QString& value, const QString& settingsPage)
{
    if (value == granted)
        return QStringLiteral("Granted");
    if (value == u"denied")
        return QStringLiteral("Denied — open System Settings → Privacy & Security → ") +
               settingsPage;
    if (value == u"unknown")
        return QStringLiteral("Not yet probed");
    return DaemonStatusRows::capitalized(value);
}

} // namespace

QList<DaemonStatusRows::Row> DaemonStatusRows::rows(const DaemonStatusRecord& status)
{
    const auto& permissions = status.permissions;
    QList<Row> rows{
        {QStringLiteral("Daemon"), QStringLiteral("Listening — version ") + status.version,
         status.ok},
        {QStringLiteral("Sessions"),
         QString::number(status.activeSessions) + QStringLiteral(" active"), true},
        {QStringLiteral("Prism automation"), permissionLabel(permissions.prismAutomation),
         permissions.prismAutomation == granted},
        {QStringLiteral("System Events"), permissionLabel(permissions.systemEventsAutomation),
         permissions.systemEventsAutomation == granted},
    };
    if (permissions.accessibility)
        rows.append({QStringLiteral("Accessibility"),
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
    return QStringLiteral("Could not reach daemon: ") +
           ControlCharacters::escaped(error.localizedDescription());
}

QString DaemonStatusRows::queryingText()
{
    return QStringLiteral("Querying daemon…");
}

QString DaemonStatusRows::notRunningLine(const DaemonStatus& supervisor)
{
    return QStringLiteral("Daemon is ") + supervisor.label().toLower() + u'.';
}

QString DaemonStatusRows::permissionLabel(const QString& value)
{
    return label(value, QStringLiteral("Automation"));
}

QString DaemonStatusRows::accessibilityLabel(const QString& value)
{
    return label(value, QStringLiteral("Accessibility"));
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
