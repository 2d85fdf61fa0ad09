#include "core/process/CapturedProcess.h"

#include <QPromise>
#include <QThreadPool>
#include <memory>
#include <mutex>

namespace {

// Shared by the reader, the waiter and the caller of run(), whichever of the
// latter two comes last hands the child over to be finished.
struct Run
{
    std::mutex mutex;
    QByteArray bytes;
    std::shared_ptr<ChildProcess> child;
    std::optional<ChildProcess::Termination> termination;
    QPromise<Result<CapturedProcess::Output>> promise;

    // Off the waiter thread, which the child's destructor joins: that
    // destructor lets the reader take what the pipe still holds, then stops it.
    static void finish(const std::shared_ptr<Run>& run)
    {
        QThreadPool::globalInstance()->start([run] {
            std::shared_ptr<ChildProcess> child;
            {
                std::lock_guard lock(run->mutex);
                child = std::move(run->child);
            }
            child.reset();
            std::lock_guard lock(run->mutex);
            run->promise.addResult(
                CapturedProcess::Output{*run->termination, std::move(run->bytes)});
            run->promise.finish();
        });
    }
};

} // namespace

QFuture<Result<CapturedProcess::Output>> CapturedProcess::run(const QString& program,
                                                              const QStringList& arguments)
{
    auto run = std::make_shared<Run>();
    run->promise.start();
    QFuture<Result<Output>> future = run->promise.future();

    auto launch = ChildProcess::spawn(
        program, arguments,
        [run](ChildProcess::Stream, QByteArray chunk, bool) {
            std::lock_guard lock(run->mutex);
            run->bytes += chunk;
        },
        [run](ChildProcess::Termination termination) {
            std::unique_lock lock(run->mutex);
            run->termination = termination;
            const bool launched = run->child != nullptr;
            lock.unlock();
            if (launched)
                Run::finish(run);
        },
        ChildProcess::Streams::merged);

    if (!launch.process) {
        run->promise.addResult(
            Error{{}, 0, QStringLiteral("Could not launch %1: %2").arg(program, launch.error)});
        run->promise.finish();
        return future;
    }
    std::unique_lock lock(run->mutex);
    run->child = launch.process;
    const bool ended = run->termination.has_value();
    lock.unlock();
    if (ended) // the child ended before we could take it
        Run::finish(run);
    return future;
}
