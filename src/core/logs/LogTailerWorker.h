#pragma once

#include "core/base/Utf8StreamDecoder.h"
#include "core/logs/FollowedFile.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

class QSocketNotifier;
class QTimer;

// The half of a LogTailer that lives on the tailer's own thread: it waits
// for changes of the followed file, reads what was appended, decodes it and
// posts the text to the owner. Every member function runs on that thread.
class LogTailerWorker : public QObject
{
    Q_OBJECT

public:
    // Text posted to the owner and not yet taken there. Above the bound the
    // worker stops reading and the owner resumes it once it has caught up,
    // so a writer that outruns the owner's thread grows no queue.
    class Backlog
    {
    public:
        static constexpr qint64 boundChars = 2 * 1024 * 1024;

        // Worker: whether it may read now. When not, the owner will resume it.
        bool mayRead()
        {
            if (m_chars.load() <= boundChars)
                return true;
            m_paused.store(true);
            return m_chars.load() <= boundChars && m_paused.exchange(false);
        }
        void posted(qint64 chars) { m_chars += chars; }
        // Owner: true when the worker waits to be resumed.
        bool taken(qint64 chars)
        {
            m_chars -= chars;
            return m_chars.load() <= boundChars && m_paused.exchange(false);
        }

    private:
        std::atomic<qint64> m_chars{0};
        std::atomic<bool> m_paused{false};
    };

    // Called on the worker's thread with text for the owner, in read order.
    using Post = std::function<void(quint64 generation, QString text)>;

    static constexpr qint64 maxReadBytes = 1024 * 1024;
    // How often a path that cannot be reopened (its folder deleted, say) is tried again.
    static constexpr std::chrono::milliseconds reopenInterval{1000};

    LogTailerWorker(QString path, std::shared_ptr<platform::FileWatcher> watcher, Backlog& backlog,
                    Post post);
    ~LogTailerWorker() override;

    // Follows `file`, labelling what it reads with `generation`.
    void follow(std::shared_ptr<FollowedFile> file, quint64 generation);
    void stop();
    // Reads on after a pause for the backlog.
    void resume() { pump(); }

private:
    void attach(std::shared_ptr<FollowedFile> file);
    void release();
    void handleChanges();
    void pump();
    void reopen();
    void deliver(QString text);

    const QString m_path;
    const std::shared_ptr<platform::FileWatcher> m_watcher;
    Backlog& m_backlog;
    const Post m_post;
    quint64 m_generation = 0;
    std::shared_ptr<FollowedFile> m_file;
    std::unique_ptr<QSocketNotifier> m_notifier; // goes before the file's watch
    Utf8StreamDecoder m_decoder;
    bool m_reopenPending = false; // deleted or renamed: read to its end, then reopen
    QTimer* m_reopenTimer;        // runs while the path cannot be reopened
};
