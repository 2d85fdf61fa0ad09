#pragma once

#include "core/base/Result.h"
#include "core/logs/LogBuffer.h"
#include "core/logs/LogTail.h"
#include "core/logs/LogTailer.h"
#include "platform/FileWatcher.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>

// The state and rules of the logs tab, which only displays them: which of the
// daemon's two log files is shown, its text (the file's tail, then everything
// appended), the line filter and the follow switch. All on the main thread.
class LogsModel : public QObject
{
    Q_OBJECT

public:
    enum class Stream
    {
        stdout, // "daemon.log"
        stderr  // "daemon.err"
    };
    static constexpr std::array<Stream, 2> streams{Stream::stdout, Stream::stderr};
    static QString fileName(Stream stream);
    static QString label(Stream stream);

    // How much of a file's end is loaded when it is (re)bound.
    static constexpr qint64 initialBytes = 262'144;
    // The UTF-8 size of the text above which its front is dropped.
    static constexpr qsizetype maxBufferBytes = LogBuffer::maxBytes;

    LogsModel(QString logDirectory, std::shared_ptr<platform::FileWatcher> watcher,
              QObject* parent = nullptr);
    ~LogsModel() override;

    Stream stream() const { return m_stream; }
    // Binds the other file when one is bound.
    void setStream(Stream stream);
    QString filePath() const;

    const QString& content() const { return m_buffer.text(); }
    const QString& filter() const { return m_filter; }
    void setFilter(const QString& filter) { m_filter = filter; }
    bool follow() const { return m_follow; }
    void setFollow(bool follow) { m_follow = follow; }
    // What the log pane shows: the lines of content() that contain the filter.
    QString displayedContent() const { return m_buffer.filtered(m_filter); }

    // Loads the tail of the selected file into content(), replacing it, and
    // follows the file from where that read ended, so nothing written
    // meanwhile is missed. A file that cannot be read loads as empty text;
    // the result says whether the file is being followed.
    Result<Done> rebindTailer();
    // Stops following (the tab was hidden).
    void unbind();
    bool isBound() const { return m_tailer != nullptr; }
    // Loads the tail without following the file: for one-off readers.
    Result<Done> loadTail();
    // "Clear view": empties content(); the file is untouched and appends go on.
    void clear();

Q_SIGNALS:
    // content() was replaced as a whole (rebound, cleared).
    void contentReplaced();
    // `text` was appended to content(); when `frontDropped`, the buffer also
    // lost its front to the bound and is best shown afresh.
    void contentAppended(const QString& text, bool frontDropped);

private:
    Result<LogTail> replaceWithTail();
    void append(const QString& text);

    const QString m_logDirectory;
    const std::shared_ptr<platform::FileWatcher> m_watcher;
    Stream m_stream = Stream::stdout;
    LogBuffer m_buffer;
    QString m_filter;
    bool m_follow = true;
    std::unique_ptr<LogTailer> m_tailer;
};
