#pragma once

#include "core/base/Result.h"
#include "core/process/ChildProcess.h"

#include <QByteArray>
#include <QFuture>
#include <QString>
#include <QStringList>

// Runs a program to its end without blocking the caller and hands back all it
// printed: standard output and standard error share one pipe, so the two
// arrive interleaved exactly as written. The pipe is read while the program
// runs, so a program that prints megabytes never stalls on a full pipe.
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
    };

    // Fails only when the program cannot be started; the child inherits the
    // environment, working folder and standard input.
    static QFuture<Result<Output>> run(const QString& program, const QStringList& arguments);
};
