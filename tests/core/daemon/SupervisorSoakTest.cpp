// The supervisor soaked: many start / stop / restart calls at random moments
// on a real daemon process, and afterwards nothing kept that it did not hold
// before, the status where the last call put it, and every line each child
// wrote in the log, in order. scripts/soak runs it for 1,000 cycles.
#include "core/daemon/DaemonManager.h"
#include "support/Printers.h"
#include "support/ProcessResources.h"
#include "support/SoakSettings.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace {

// Numbers its lines on both streams until SIGTERM; then finishes the line
// pair under way and says how many it wrote, so a lost tail shows.
const QByteArray numberedLines = "stop=0\ntrap 'stop=1' TERM\nn=0\n"
                                 "while [ $stop = 0 ]; do\n"
                                 "  n=$((n+1)); echo \"$$ out $n\"; echo \"$$ err $n\" >&2\n"
                                 "  sleep 0.005\n"
                                 "done\n"
                                 "echo \"$$ end $n\"; echo \"$$ end $n\" >&2\n";

using Call = void (DaemonManager::*)();

// Checks one log: each child's lines form one block, numbered from 1 without
// a gap, closed by its "end" line with the count; so the log is rebuilt from
// its "end" lines and compared. Returns the number of children, or -1.
int childrenInLog(const QByteArray& log, const QByteArray& stream)
{
    QByteArray rebuilt;
    int children = 0;
    for (const QByteArray& line : log.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.value(1) != "end")
            continue;
        ++children;
        for (int n = 1; n <= words.value(2).toInt(); ++n)
            rebuilt += words[0] + ' ' + stream + ' ' + QByteArray::number(n) + '\n';
        rebuilt += line + '\n';
    }
    if (rebuilt == log)
        return children;
    qsizetype at = 0;
    while (at < log.size() && at < rebuilt.size() && log[at] == rebuilt[at])
        ++at;
    const qsizetype lineStart = at > 0 ? log.lastIndexOf('\n', at - 1) + 1 : 0;
    ADD_FAILURE() << stream.constData()
                  << ": out of place or without its end: " << log.mid(lineStart, 60).constData();
    return -1;
}

} // namespace

TEST(SupervisorSoak, CyclesLeaveNothingBehindAndLoseNoLine)
{
    const int cycles = SoakSettings::count("ZENTROPE_SOAK_CYCLES", 50);
    const quint32 seed = SoakSettings::seed();
    std::cout << "supervisor soak: " << cycles << " cycles, seed " << seed << std::endl;
    std::mt19937 random(seed);
    TestBundle bundle;
    bundle.installFakeDaemon(numberedLines);
    QTemporaryDir logs;
    auto manager = std::make_unique<DaemonManager>(bundle.bundle(), logs.path());

    // Three calls, each of them start, stop or restart at random, with a
    // random pause of up to 15 ms (events processed) before each.
    const auto cycle = [&] {
        const Call calls[] = {&DaemonManager::start, &DaemonManager::stop, &DaemonManager::restart};
        Call call = nullptr;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer clock;
            clock.start();
            const int pauseMs = std::uniform_int_distribution(0, 15)(random);
            while (clock.elapsed() < pauseMs)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            call = calls[std::uniform_int_distribution(0, 2)(random)];
            ((*manager).*call)();
        }
        return call;
    };
    // Done what `last` asked, from any state: a running child, or none at all.
    const auto settlesAfter = [&](Call last) {
        return waitUntil([&] {
            return last == &DaemonManager::stop
                       ? !manager->hasChild() && manager->status() == DaemonStatus::stopped()
                       : manager->hasChild() && manager->status().isRunning();
        });
    };

    // Warm-up: the first children allocate what is reused later (the
    // allocator's per-thread arenas, the log writer's buffers).
    for (int i = 0; i < 10; ++i)
        cycle();
    manager->stop();
    ASSERT_TRUE(settlesAfter(&DaemonManager::stop));
    const ProcessResources before = ProcessResources::now();

    for (int i = 1; i <= cycles; ++i) {
        const Call last = cycle();
        if (i % 10 == 0 || i == cycles) {
            ASSERT_TRUE(settlesAfter(last))
                << "cycle " << i << ": " << manager->status().label().toStdString();
        }
    }
    manager->stop();
    ASSERT_TRUE(settlesAfter(&DaemonManager::stop));
    const ProcessResources after = ProcessResources::now();
    std::cout << "supervisor soak: " << after.deltaFrom(before).toStdString() << std::endl;

    EXPECT_EQ(after.descriptors, before.descriptors);
    EXPECT_EQ(after.threads, before.threads);
    EXPECT_EQ(after.children, 0);
    // A leak of even 1 KiB per child would pass 1 MiB over 1,000 cycles;
    // below that is the allocator keeping freed pages.
    if (ProcessResources::residentSizeIsTelling) {
        EXPECT_LT(after.residentKiB - before.residentKiB, 1024);
    }

    manager.reset(); // writes what is still queued
    const QByteArray out = readFileAt(logs.filePath(QStringLiteral("daemon.log")));
    const QByteArray err = readFileAt(logs.filePath(QStringLiteral("daemon.err")));
    const int children = childrenInLog(out, "out");
    EXPECT_GT(children, cycles / 2);
    EXPECT_EQ(childrenInLog(err, "err"), children);
    std::cout << "supervisor soak: " << children << " children wrote "
              << out.count('\n') + err.count('\n') << " lines" << std::endl;
}
