#include "core/process/CapturedProcess.h"

#include <QPromise>
#include <QThreadPool>
#include <csignal>
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

Error launchFailure(const QString& program, const QString& reason)
{
    return Error{{}, 0, QStringLiteral("Could not launch %1: %2").arg(program, reason)};
}

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
        run->promise.addResult(launchFailure(program, launch.error));
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

Result<CapturedProcess::Output> CapturedProcess::runWithin(const QString& program,
                                                           const QStringList& arguments,
                                                           std::chrono::milliseconds bound,
                                                           Capture capture)
{
    struct Collected
    {
        std::mutex mutex;
        Output output;
    };
    auto collected = std::make_shared<Collected>();
    const bool keep = capture == Capture::output;
    auto launch = ChildProcess::spawn(
        program, arguments,
        [collected, keep](ChildProcess::Stream, QByteArray chunk, bool) {
            if (!keep)
                return;
            std::lock_guard lock(collected->mutex);
            collected->output.bytes += chunk;
        },
        [collected](ChildProcess::Termination termination) {
            std::lock_guard lock(collected->mutex);
            collected->output.termination = termination;
        },
        ChildProcess::Streams::merged, ChildProcess::Input::nullDevice);
    if (!launch.process)
        return launchFailure(program, launch.error);
    const bool ended = launch.process->waitForExit(bound);
    if (!ended)
        launch.process->sendSignal(SIGKILL);
    launch.process.reset(); // waits for the end, then takes what the pipe still holds
    std::lock_guard lock(collected->mutex);
    collected->output.timedOut = !ended;
    return std::move(collected->output);
}
