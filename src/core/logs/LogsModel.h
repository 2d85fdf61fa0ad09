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
    // Judges the whole text afresh under the new filter (displayedReplaced).
    void setFilter(const QString& filter);
    bool follow() const { return m_follow; }
    void setFollow(bool follow) { m_follow = follow; }

    // What the log pane shows. Without a filter, content() as it arrived.
    // With one, the complete lines of content() that contain it (see
    // LineFilter), joined with newlines: the line still being written is
    // judged once its newline has arrived, or when flushPartialLine() says so.
    const QString& displayedContent() const
    {
        return m_filter.isEmpty() ? m_buffer.text() : m_displayed;
    }
    // Judges the line still being written as if it had ended here, so that a
    // reader about to stop does not lose a last line without a newline.
    // Text that arrives later is judged as a line of its own.
    void flushPartialLine();

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
    // Each change of content() is announced after the change it makes to the
    // display, so a view that follows the end scrolls once its text is in.

    // content() was replaced as a whole (rebound, cleared).
    void contentReplaced();
    // `text` was appended to content(); when `frontDropped`, the buffer also
    // lost its front to the bound and is best shown afresh.
    void contentAppended(const QString& text, bool frontDropped);

    // displayedContent() is to be shown afresh: the text was replaced or
    // cleared, or the filter changed.
    void displayedReplaced();
    // displayedContent() grew by `text` at its end. Without a filter `text`
    // is the appended chunk as it came; with one, the lines just judged that
    // match, after a newline when something was shown before, and nothing is
    // announced when none matched. When `frontDropped` the text also lost
    // its front: `text` is still what is new (and may be empty), but
    // displayedContent() is best shown afresh.
    void displayedAppended(const QString& text, bool frontDropped);
    // The same change put as an edit, for a view that holds what it shows and
    // must not set it afresh at every trim: displayedContent() is now the
    // text displayed before without its first `removed` characters, followed
    // by `added`. Announced after displayedAppended, on every append that
    // changes the display; only a trim that cannot be put so (never for
    // plain text) removes everything and adds the whole display.
    void displayedEdited(qsizetype removed, const QString& added);

private:
    Result<LogTail> replaceWithTail();
    void replace(QString text);
    void append(const QString& text);
    // The display rebuilt from the complete lines of content().
    void judgeAfresh();
    // The lines of content()[from, to) that match the filter, joined.
    QString matchingLines(qsizetype from, qsizetype to) const;
    void extendDisplay(QString lines, bool frontDropped);
    void announceTrimmedDisplay(const QString& before, const QString& lines);

    const QString m_logDirectory;
    const std::shared_ptr<platform::FileWatcher> m_watcher;
    Stream m_stream = Stream::stdout;
    LogBuffer m_buffer;
    QString m_filter;
    // With a filter: what is shown, and how much of content() it has judged.
    QString m_displayed;
    qsizetype m_judged = 0;
    bool m_follow = true;
    std::unique_ptr<LogTailer> m_tailer;
};
