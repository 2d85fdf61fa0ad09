#pragma once

#include <QEventLoop>
#include <QFuture>
#include <QFutureWatcher>
#include <optional>

// Runs the event loop until `future` finishes, for commands whose work
// (network replies, continuations on this thread) needs it. Nothing when
// the future was cancelled.
template <typename T> std::optional<T> waitForFuture(QFuture<T> future)
{
    QEventLoop loop;
    QFutureWatcher<T> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(future);
    if (!future.isFinished())
        loop.exec();
    if (future.isCanceled() || future.resultCount() == 0)
        return std::nullopt;
    return future.result();
}
