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
#include <QSet>
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
const Call calls[] = {&DaemonManager::start, &DaemonManager::stop, &DaemonManager::restart};

// Checks one log: each child's lines form one block, numbered from 1 without
// a gap, closed by its "end" line with the count. Returns the number of
// children seen, or -1 after reporting the first line out of place.
int childrenInLog(const QByteArray& log, const QByteArray& stream)
{
    QSet<QByteArray> seen;
    QByteArray open; // the pid whose block is open
    qint64 next = 1;
    for (const QByteArray& text : log.split('\n')) {
        if (text.isEmpty())
            continue;
        const QList<QByteArray> words = text.split(' ');
        if (open.isEmpty() && !seen.contains(words[0])) {
            open = words[0];
            seen.insert(open);
            next = 1;
        }
        const qint64 number = words.value(2).toLongLong();
        const bool ends = words.value(1) == "end" && number == next - 1;
        if (words.size() != 3 || words[0] != open ||
            !(ends || (words[1] == stream && number == next))) {
            ADD_FAILURE() << stream.constData() << ": " << text.constData() << " where line "
                          << next << " of " << open.constData() << " was due";
            return -1;
        }
        if (ends)
            open.clear();
        else
            ++next;
    }
    if (!open.isEmpty()) {
        ADD_FAILURE() << stream.constData() << ": child " << open.constData() << " has no end";
        return -1;
    }
    return int(seen.size());
}

class SupervisorSoak
{
public:
    explicit SupervisorSoak(quint32 seed)
        : m_random(seed)
    {
        m_bundle.installFakeDaemon(numberedLines);
        m_manager = std::make_unique<DaemonManager>(m_bundle.bundle(), logs());
    }

    QString logs() const { return m_scratch.filePath(QStringLiteral("Logs")); }
    DaemonManager& manager() { return *m_manager; }
    void finish() { m_manager.reset(); }

    // Three calls, each of them start, stop or restart at random, with a
    // random pause of up to 15 ms (events processed) before each.
    Call cycle()
    {
        Call call = nullptr;
        for (int i = 0; i < 3; ++i) {
            pause();
            call = calls[std::uniform_int_distribution(0, 2)(m_random)];
            ((*m_manager).*call)();
        }
        return call;
    }

    // Waits until the supervisor has done what `last` asked: a running child
    // and nothing pending, or no child at all. Only a stop leaves a child
    // recorded while the status is not running, and it ends in time.
    bool settlesAfter(Call last)
    {
        return waitUntil([&] {
            return last == &DaemonManager::stop
                       ? !m_manager->hasChild() && m_manager->status() == DaemonStatus::stopped()
                       : m_manager->hasChild() && m_manager->status().isRunning();
        });
    }

private:
    void pause()
    {
        QElapsedTimer clock;
        clock.start();
        const int pauseMs = std::uniform_int_distribution(0, 15)(m_random);
        while (clock.elapsed() < pauseMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }

    std::mt19937 m_random;
    TestBundle m_bundle;
    QTemporaryDir m_scratch;
    std::unique_ptr<DaemonManager> m_manager;
};

} // namespace

TEST(SupervisorSoak, CyclesLeaveNothingBehindAndLoseNoLine)
{
    const int cycles = SoakSettings::count("ZENTROPE_SOAK_CYCLES", 50);
    const quint32 seed = SoakSettings::seed();
    std::cout << "supervisor soak: " << cycles << " cycles, seed " << seed << std::endl;
    SupervisorSoak soak(seed);

    // Warm-up: the first children allocate what is reused later (the
    // allocator's per-thread arenas, the log writer's buffers).
    for (int i = 0; i < 10; ++i)
        soak.cycle();
    soak.manager().stop();
    ASSERT_TRUE(soak.settlesAfter(&DaemonManager::stop));
    const ProcessResources before = ProcessResources::now();

    for (int i = 1; i <= cycles; ++i) {
        const Call last = soak.cycle();
        if (i % 10 == 0 || i == cycles) {
            ASSERT_TRUE(soak.settlesAfter(last))
                << "cycle " << i << ": " << soak.manager().status().label().toStdString();
        }
    }
    soak.manager().stop();
    ASSERT_TRUE(soak.settlesAfter(&DaemonManager::stop));
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

    soak.finish(); // writes what is still queued
    const QByteArray out = readFileAt(soak.logs() + QStringLiteral("/daemon.log"));
    const QByteArray err = readFileAt(soak.logs() + QStringLiteral("/daemon.err"));
    const int children = childrenInLog(out, "out");
    EXPECT_GT(children, cycles / 2);
    EXPECT_EQ(childrenInLog(err, "err"), children);
    std::cout << "supervisor soak: " << children << " children wrote "
              << out.count('\n') + err.count('\n') << " lines" << std::endl;
}
