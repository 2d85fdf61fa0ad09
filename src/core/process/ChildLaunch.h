#pragma once

#include "core/base/Result.h"

#include <QString>
#include <QStringList>
#include <sys/types.h>

// Starts a program as a child process, with the descriptors it is given as
// its standard output and standard error. Between fork and exec the child
// only makes system calls, all prepared beforehand, as a child of a process
// with threads must. There it:
//   - takes the given descriptors, and /dev/null as standard input if asked;
//   - restores the default action of SIGPIPE and SIGXFSZ, which we ignore,
//     and of every signal we catch (a handler of ours must not run in the
//     child);
//   - when it is to end with its parent, asks the kernel for SIGKILL on the
//     parent's death, then checks that the parent is still the one that
//     forked it, since it may have died before the request was made.
// A program that cannot be run fails the call with the system's reason.
namespace ChildLaunch {

struct Plan
{
    QString program;
    QStringList arguments;
    int standardOutput = -1; // becomes the child's descriptor 1
    int standardError = -1;  // becomes its descriptor 2
    bool nullInput = false;  // descriptor 0 from /dev/null; inherited otherwise
    // The parent-death signal: SIGKILL, since a parent that dies without
    // stopping its child can no longer escalate from SIGTERM, and the
    // child's output has nowhere to go. Linux sends it when the *thread* that
    // launched the child ends, so launch from the main thread (or another
    // that lives as long as the process).
    bool endsWithParent = false;
};

// The child's process id, or the system's reason it could not be run.
Result<pid_t> start(const Plan& plan);

// A pipe for a plan: both ends close-on-exec, and both above 2 even when our
// own standard streams are closed, so the child's moves never overwrite one.
bool openPipe(int (&fds)[2]);

} // namespace ChildLaunch
