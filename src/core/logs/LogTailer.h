#pragma once

#include "core/base/Result.h"
#include "core/logs/LogTailerWorker.h"
#include "platform/FileWatcher.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

// Follows one log file and hands every piece of text appended to it to
// onAppend, on the thread the tailer lives on (the main thread), in the order
// it was read. Only what is appended after start() is reported. When the
// file is deleted or renamed, the tailer reads the old file to its end, then
// follows whatever file is at the path from then on, creating an empty one
// when none is there; while the path cannot be opened (its folder deleted,
// say) it looks again every second. A file truncated below what was read is
// read on from its new start, as `tail -F` does.
//
// The file is watched and read on the tailer's own thread,
// "zentrope.log-tailer": one read per batch of changes, never a byte twice.
// Pieces are not split into lines; a piece may end inside a line but never
// inside a character.
class LogTailer : public QObject
{
    Q_OBJECT

public:
    using AppendHandler = std::function<void(const QString& text)>;

    LogTailer(QString path, std::shared_ptr<platform::FileWatcher> watcher,
              QObject* parent = nullptr);
    // Stops following (nothing more is delivered) and ends the thread.
    ~LogTailer() override;

    void setOnAppend(AppendHandler handler) { m_onAppend = std::move(handler); }

    // Follows the file from its current end, or from `position` to continue
    // where the owner's own read of it stopped. Restarts when already
    // started. When the file cannot be opened or watched the tailer stays
    // stopped and says why.
    Result<Done> start(std::optional<qint64> position = {});
    // Stops following; text read but not yet delivered is dropped. Does
    // nothing on a stopped tailer.
    void cancel();
    bool isStarted() const { return m_started; }

private:
    void deliver(quint64 generation, const QString& text);

    const QString m_path;
    const std::shared_ptr<platform::FileWatcher> m_watcher;
    AppendHandler m_onAppend;
    bool m_started = false;
    quint64 m_generation = 0; // labels what each start() reads; stale text is dropped
    LogTailerWorker::Backlog m_backlog;
    QThread m_thread;
    LogTailerWorker* m_worker; // lives on m_thread, deleted there
};
