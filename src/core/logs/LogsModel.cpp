#include "core/logs/LogsModel.h"

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
    m_buffer.replace({});
    Q_EMIT contentReplaced();
}

Result<LogTail> LogsModel::replaceWithTail()
{
    auto tail = LogTail::read(filePath(), initialBytes);
    m_buffer.replace(tail ? tail.value().text : QString());
    Q_EMIT contentReplaced();
    return tail;
}

void LogsModel::append(const QString& text)
{
    const bool frontDropped = m_buffer.append(text);
    Q_EMIT contentAppended(text, frontDropped);
}
