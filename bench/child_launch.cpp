// Cost of starting a child: ChildLaunch (fork and exec, so that a child can
// ask to die with us) against posix_spawn (vfork-like), both running
// /bin/true to its end, median of many rounds, measured in one run.
#include "core/process/ChildLaunch.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int rounds = 400;

double medianMicroseconds(const std::function<pid_t()>& launch)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const pid_t pid = launch();
        int status = 0;
        ::waitpid(pid, &status, 0);
        times.push_back(double(timer.nsecsElapsed()) / 1e3);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    char program[] = "/bin/true";
    char* const argv[] = {program, nullptr};
    const double spawned = medianMicroseconds([&] {
        pid_t pid = -1;
        ::posix_spawn(&pid, program, nullptr, nullptr, argv, environ);
        return pid;
    });
    ChildLaunch::Plan plan;
    plan.program = QString::fromLatin1(program);
    const int nullDevice = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    plan.standardOutput = nullDevice;
    plan.standardError = nullDevice;
    const double launched = medianMicroseconds([&] {
        const auto pid = ChildLaunch::start(plan);
        return pid ? pid.value() : -1;
    });
    plan.endsWithParent = true;
    const double endsWithParent = medianMicroseconds([&] {
        const auto pid = ChildLaunch::start(plan);
        return pid ? pid.value() : -1;
    });
    std::printf("start and reap /bin/true, median of %d:\n", rounds);
    std::printf("  posix_spawn                      %8.1f us\n", spawned);
    std::printf("  ChildLaunch                      %8.1f us  (%.2fx)\n", launched,
                launched / spawned);
    std::printf("  ChildLaunch, ends with parent    %8.1f us  (%.2fx)\n", endsWithParent,
                endsWithParent / spawned);
    return 0;
}
