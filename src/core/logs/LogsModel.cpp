#include "core/logs/LogsModel.h"

#include "core/logs/LineFilter.h"

#include <algorithm>

QString LogsModel::fileName(Stream stream)
{
    return stream == Stream::stdout ? QStringLiteral("daemon.log") : QStringLiteral("daemon.err");
}

QString LogsModel::label(Stream stream)
{
    return stream == Stream::stdout ? QStringLiteral("Output (daemon.log)")
                                    : QStringLiteral("Errors (daemon.err)");
}

LogsModel::LogsModel(QString logDirectory, std::shared_ptr<platform::FileWatcher> watcher,
                     QObject* parent)
    : QObject(parent)
    , m_logDirectory(std::move(logDirectory))
    , m_watcher(std::move(watcher))
{}

LogsModel::~LogsModel() = default;

void LogsModel::setStream(Stream stream)
{
    if (stream == m_stream)
        return;
    m_stream = stream;
    if (isBound())
        rebindTailer();
}

QString LogsModel::filePath() const
{
    return m_logDirectory + u'/' + fileName(m_stream);
}

Result<Done> LogsModel::rebindTailer()
{
    // The old tailer goes first: nothing it read can reach the new text.
    m_tailer.reset();
    const auto tail = replaceWithTail();
    m_tailer = std::make_unique<LogTailer>(filePath(), m_watcher);
    m_tailer->setOnAppend([this](const QString& text) { append(text); });
    return tail ? m_tailer->start(tail.value().end) : m_tailer->start();
}

void LogsModel::unbind()
{
    m_tailer.reset();
}

Result<Done> LogsModel::loadTail()
{
    const auto tail = replaceWithTail();
    if (!tail)
        return tail.error();
    return Done{};
}

void LogsModel::clear()
{
    replace({});
}

void LogsModel::setFilter(const QString& filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    judgeAfresh();
    Q_EMIT displayedReplaced();
}

void LogsModel::flushPartialLine()
{
    if (m_filter.isEmpty() || m_judged >= content().size())
        return;
    const qsizetype end = content().size();
    const QString lines = matchingLines(m_judged, end);
    m_judged = end;
    extendDisplay(lines, false);
}

Result<LogTail> LogsModel::replaceWithTail()
{
    auto tail = LogTail::read(filePath(), initialBytes);
    replace(tail ? tail.value().text : QString());
    return tail;
}

void LogsModel::replace(QString text)
{
    m_buffer.replace(std::move(text));
    judgeAfresh();
    Q_EMIT displayedReplaced();
    Q_EMIT contentReplaced();
}

void LogsModel::append(const QString& text)
{
    const qsizetype before = content().size();
    const bool frontDropped = m_buffer.append(text);
    if (m_filter.isEmpty()) {
        Q_EMIT displayedAppended(text, frontDropped);
        // The buffer keeps an end of the old text and the chunk together.
        const qsizetype removed = before + text.size() - content().size();
        if (removed <= before)
            Q_EMIT displayedEdited(removed, text);
        else
            Q_EMIT displayedEdited(before, content());
    } else {
        // The judged part moves back with the front the bound took off.
        const qsizetype dropped = before + text.size() - content().size();
        const qsizetype from = std::max<qsizetype>(0, m_judged - dropped);
        const qsizetype complete = m_buffer.completeLength();
        // A flushed partial line may lie beyond the last newline.
        m_judged = std::max(from, complete);
        extendDisplay(from < complete ? matchingLines(from, complete) : QString(), frontDropped);
    }
    Q_EMIT contentAppended(text, frontDropped);
}

void LogsModel::judgeAfresh()
{
    m_displayed = m_filter.isEmpty() ? QString() : m_buffer.filtered(m_filter);
    m_judged = m_buffer.completeLength();
}

QString LogsModel::matchingLines(qsizetype from, qsizetype to) const
{
    // A complete line's newline ends it; it starts no further empty line.
    if (to > from && content().at(to - 1) == u'\n')
        --to;
    return LineFilter(m_filter, m_buffer.locale()).select(content().sliced(from, to - from));
}

void LogsModel::extendDisplay(QString lines, bool frontDropped)
{
    if (frontDropped) {
        const QString before = m_displayed; // shared, not copied: judgeAfresh() replaces it
        judgeAfresh();
        Q_EMIT displayedAppended(lines, true);
        announceTrimmedDisplay(before, lines);
    } else if (!lines.isEmpty()) {
        if (!m_displayed.isEmpty())
            lines.prepend(u'\n');
        m_displayed += lines;
        Q_EMIT displayedAppended(lines, false);
        Q_EMIT displayedEdited(0, lines);
    }
}

void LogsModel::announceTrimmedDisplay(const QString& before, const QString& lines)
{
    // Lines judged afresh after a trim are the old display's end: whole lines
    // that were shown, or the end of the first one, cut where the buffer was.
    // The new lines follow. Checked rather than assumed, since case folding
    // is not bound to promise it for every script.
    QString added = lines;
    if (!added.isEmpty() && m_displayed.size() > added.size())
        added.prepend(u'\n');
    const qsizetype kept = m_displayed.size() - added.size();
    const QStringView after(m_displayed);
    const bool isEdit = kept >= 0 && kept <= before.size() && after.endsWith(added) &&
                        after.first(kept) == QStringView(before).last(kept);
    if (isEdit)
        Q_EMIT displayedEdited(before.size() - kept, added);
    else
        Q_EMIT displayedEdited(before.size(), m_displayed);
}
