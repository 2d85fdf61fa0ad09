#pragma once

#include "core/base/Result.h"
#include "core/process/ChildProcess.h"

#include <QByteArray>
#include <QFuture>
#include <QString>
#include <QStringList>
#include <chrono>

// Runs a program to its end and hands back how it ended and all it printed:
// standard output and standard error share one pipe, so the two arrive
// interleaved exactly as written. The pipe is read while the program runs,
// so a program that prints megabytes never stalls on a full pipe.
//
// The result is ready once the program has ended; output that a background
// process of it writes later is not waited for, so such a process cannot
// keep the caller waiting forever.
class CapturedProcess
{
public:
    struct Output
    {
        ChildProcess::Termination termination;
        QByteArray bytes;
        bool timedOut = false; // killed because it outran its bound
    };

    // What to keep of the output.
    enum class Capture
    {
        output,
        nothing // read and dropped: for programs that answer by their exit status
    };

    // Off the caller's thread, without a time limit. Fails only when the
    // program cannot be started; the child inherits the environment, working
    // folder and standard input.
    static QFuture<Result<Output>> run(const QString& program, const QStringList& arguments);

    // On the caller's thread, with standard input from the null device. A
    // program still running when `bound` has passed is killed (and reaped),
    // so a hung program cannot freeze its caller. Fails only when the program
    // cannot be started.
    static Result<Output> runWithin(const QString& program, const QStringList& arguments,
                                    std::chrono::milliseconds bound,
                                    Capture capture = Capture::output);
};
