#include "core/daemon/DaemonManager.h"

#include "platform/fake/FakePortLookup.h"
#include "support/FileSizeLimit.h"
#include "support/Printers.h"
#include "support/StatusRecorder.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

using Status = DaemonManager::Status;
using namespace std::chrono_literals;

namespace {

class DaemonManagerTest : public ::testing::Test
{
protected:
    // A bundle whose "node" runs `script` under /bin/sh, with the test's
    // scratch folder as $SCRATCH.
    std::unique_ptr<DaemonManager> managerRunning(const QByteArray& script)
    {
        bundle.installFakeDaemon("SCRATCH='" + scratch.path().toUtf8() + "'\n" + script);
        return std::make_unique<DaemonManager>(bundle.bundle(), logs());
    }

    // Started, past `setup` (a trap, say), and idling until signalled.
    std::unique_ptr<DaemonManager> startedIdling(const QByteArray& setup)
    {
        auto manager = managerRunning(setup + "echo ready\nwhile :; do sleep 0.05; done\n");
        manager->start();
        EXPECT_TRUE(waitUntil([&] { return outLog() == "ready\n"; }));
        return manager;
    }

    QString logs() const { return scratch.filePath(QStringLiteral("Logs/Zentrope")); }
    QByteArray outLog() const { return readFileAt(logs() + QStringLiteral("/daemon.log")); }
    QByteArray errLog() const { return readFileAt(logs() + QStringLiteral("/daemon.err")); }
    QString scratchFile(const char* name) const
    {
        return scratch.filePath(QString::fromUtf8(name));
    }

    // Without processing events, waits until the child `pid` has been reaped,
    // so that its end is queued but not yet handled.
    static bool waitForReaping(qint32 pid)
    {
        const QString proc = QStringLiteral("/proc/%1").arg(pid);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (QFile::exists(proc) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        return !QFile::exists(proc);
    }

    // Waits until countedIdler has been launched `count` times.
    bool launched(int count) const
    {
        return waitUntil(
            [&] { return readFileAt(scratchFile("launches")).count("launched\n") == count; });
    }

    TestBundle bundle;
    QTemporaryDir scratch;
};

// Notes each launch, then idles until SIGTERM ends it cleanly.
const QByteArray countedIdler = "trap 'exit 0' TERM\necho launched >> \"$SCRATCH/launches\"\n"
                                "while :; do sleep 0.05; done\n";

} // namespace

TEST_F(DaemonManagerTest, ADaemonThatCannotBeFoundOrLaunchedCrashesWithMinusOneAndSaysWhy)
{
    const struct
    {
        bool launchable;
        QList<Status> statuses;
        QString failure;
    } cases[] = {
        {false, {Status::crashed(-1)}, QStringLiteral("Could not locate bundled daemon binaries.")},
        {true,
         {Status::starting(), Status::crashed(-1)},
         QStringLiteral("Failed to launch daemon: Permission denied")},
    };
    for (const auto& each : cases) {
        QFile::remove(logs() + QStringLiteral("/daemon.err"));
        bundle.writeFile(QStringLiteral("Resources/Daemon/node"), "not a program");
        if (each.launchable)
            bundle.writeFile(QStringLiteral("Resources/Daemon/entry.mjs"), "");
        DaemonManager manager(bundle.bundle(), logs());
        StatusRecorder recorder(manager);
        manager.start();
        EXPECT_EQ(recorder.statuses(), each.statuses);
        EXPECT_FALSE(manager.hasChild());
        manager.flushLogs();
        EXPECT_EQ(errLog(), each.failure.toUtf8() + '\n');
        EXPECT_EQ(manager.lastFailure(), each.failure);
    }
}

TEST_F(DaemonManagerTest, OnAFullFileSystemTheDaemonRunsOnIsReadAndIsLoggedAgainOnceThereIsRoom)
{
    // Numbered lines of a kilobyte as fast as it can; the number also in a small file.
    auto manager = managerRunning("pad=$(printf '%01000d' 0)\nn=0\n"
                                  "while :; do n=$((n+1)); echo \"line $n $pad\"; "
                                  "echo $n > \"$SCRATCH/count\"; done\n");
    const auto lineNumber = [&] { return readFileAt(scratchFile("count")).trimmed().toLongLong(); };
    const QString log = logs() + QStringLiteral("/daemon.log");
    QStringList reported;
    QObject::connect(manager.get(), &DaemonManager::failureReported,
                     [&](const QString& reason) { reported.append(reason); });
    FileSizeLimit full(16384);
    manager->start();
    const DaemonStatus running = manager->status();
    ASSERT_TRUE(running.isRunning());
    // 5 MB written while the log holds 16 KiB: had the supervisor stopped
    // reading, or its writer retried, the daemon would be stuck on its 64 KiB
    // pipe behind the 4 MiB queue.
    ASSERT_TRUE(waitUntil([&] { return lineNumber() > 5000; }, 30s));
    EXPECT_EQ(QFileInfo(log).size(), 16384);
    EXPECT_EQ(manager->status(), running);
    const QString failure = QStringLiteral("Could not write %1: File too large").arg(log);
    EXPECT_TRUE(waitUntil([&] { return reported == QStringList{failure}; }));
    manager->flushLogs();
    EXPECT_EQ(errLog(), failure.toUtf8() + '\n');

    full.lift();
    qint64 liftedAt = 0; // the count file is empty for a moment while rewritten
    ASSERT_TRUE(waitUntil([&] { return (liftedAt = lineNumber()) > 0; }));
    const QByteArray later = "line " + QByteArray::number(liftedAt + 100) + ' ';
    EXPECT_TRUE(waitUntil([&] { return outLog().contains(later); }, 30s));
    EXPECT_EQ(manager->status(), running);
    EXPECT_EQ(reported.size(), 1);
    StatusRecorder recorder(*manager);
    manager->stop();
    ASSERT_TRUE(recorder.waitForChildEnds());
    EXPECT_EQ(manager->status(), Status::stopped());
}

TEST_F(DaemonManagerTest, ACrashExplainsWhoHoldsThePort)
{
    bundle.installFakeDaemon("echo 'Port in use' >&2\nexit 1\n");
    auto ports = std::make_shared<platform::FakePortLookup>();
    DaemonManager manager(bundle.bundle(), logs(), DaemonManager::Port{27832, ports});
    const struct
    {
        std::optional<platform::PortHolder> holder;
        QString failure;
    } cases[] = {
        {platform::PortHolder{4242, QStringLiteral("node")},
         QStringLiteral("Port 27832 is already in use by process 4242 (node).")},
        {platform::PortHolder{},
         QStringLiteral("Port 27832 is already in use by another user’s process.")},
        {std::nullopt, QString()},
    };
    for (const auto& each : cases) {
        ports->holders.clear();
        if (each.holder)
            ports->holders.insert(27832, *each.holder);
        StatusRecorder recorder(manager);
        manager.start();
        ASSERT_TRUE(recorder.waitForChildEnds());
        EXPECT_EQ(manager.status(), Status::crashed(1));
        EXPECT_EQ(manager.lastFailure(), each.failure);
    }
    manager.flushLogs();
    EXPECT_EQ(errLog(), "Port in use\nPort in use\nPort in use\n") << "the daemon's words only";
}

// How a child ends decides the status, reported once and soon, with every
// byte it wrote in its log, however it misbehaves with its output.
// What `seq count` prints.
QByteArray numbers(int count)
{
    QByteArray lines;
    for (int i = 1; i <= count; ++i)
        lines += QByteArray::number(i) + '\n';
    return lines;
}

struct Ending
{
    const char* name;
    const char* script;
    Status expected;
    QByteArray out;
    QByteArray err;
};

class DaemonEndingTest : public DaemonManagerTest, public ::testing::WithParamInterface<Ending>
{};

TEST_P(DaemonEndingTest, EndsAsItsExitSaysWithAllItWrote)
{
    auto manager = managerRunning(GetParam().script);
    StatusRecorder recorder(*manager);
    manager->start();
    ASSERT_TRUE(recorder.waitForChildEnds()) << "the supervisor waited for more than the exit";
    manager->flushLogs();
    EXPECT_EQ(recorder.statuses().size(), 3) << recorder.labels().join(u", ").toStdString();
    EXPECT_EQ(manager->status(), GetParam().expected) << manager->status().label().toStdString();
    EXPECT_FALSE(manager->hasChild());
    EXPECT_EQ(outLog(), GetParam().out);
    EXPECT_EQ(errLog().size(), GetParam().err.size());
    EXPECT_TRUE(errLog() == GetParam().err); // not printed: it may be megabytes
    // A grandchild still holds the pipes: gone with the test.
    const qint64 grandchild = readFileAt(scratchFile("grandchild")).trimmed().toLongLong();
    if (grandchild > 0)
        ::kill(pid_t(grandchild), SIGKILL);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, DaemonEndingTest,
    ::testing::Values(Ending{"Exit0", "exit 0\n", Status::stopped(), "", ""},
                      Ending{"Exit3", "exit 3\n", Status::crashed(3), "", ""},
                      // A normal exit with 15 is not a SIGTERM.
                      Ending{"Exit15", "exit 15\n", Status::crashed(15), "", ""},
                      Ending{"Sigterm", "kill -TERM $$\n", Status::stopped(), "", ""},
                      // Binary bytes, a line split over two writes, and streams far larger
                      // than a pipe holds, so chunks split wherever the pipe splits them.
                      Ending{"WritesBinaryAndLongStreams",
                             "printf 'half a '\nprintf 'line\\n\\000\\377\\001'\nseq 100000\n"
                             "printf 'to stderr\\n' >&2\nseq 100000 >&2\n",
                             Status::stopped(),
                             QByteArray("half a line\n\0\377\1", 15) + numbers(100000),
                             "to stderr\n" + numbers(100000)},
                      // Still running, and read, after its standard output is gone.
                      Ending{"ClosesStandardOutputEarly",
                             "echo before\nexec 1>&-\nsleep 0.2\necho after >&2\nexit 0\n",
                             Status::stopped(), "before\n", "after\n"},
                      // Its end counts, not that of its pipes, which a 30 s grandchild holds.
                      Ending{"ForksAChildHoldingThePipesAndExits",
                             "sleep 30 &\necho $! > \"$SCRATCH/grandchild\"\necho forked\nexit 3\n",
                             Status::crashed(3), "forked\n", ""},
                      // Killed with 100,000 bytes of an unfinished line written.
                      Ending{"DiesInTheMiddleOfALine",
                             "echo whole\nhead -c 100000 /dev/zero | tr '\\0' x\nkill -KILL $$\n",
                             Status::crashed(9), "whole\n" + QByteArray(100000, 'x'), ""},
                      // 20 MB on standard error alone, none on its output.
                      Ending{"FloodsStandardErrorOnly",
                             "head -c 20000000 /dev/zero | tr '\\0' e >&2\nexit 0\n",
                             Status::stopped(), "", QByteArray(20000000, 'e')}),
    [](const auto& test) { return std::string(test.param.name); });

// Stop shows Stopped at once; SIGTERM ends a well-behaved daemon, and one
// that ignores it is killed no sooner than 2 s after the terminate request.
TEST_F(DaemonManagerTest, StopShowsStoppedAtOnceAndKillsADaemonIgnoringSigtermAfterTwoSeconds)
{
    const struct
    {
        QByteArray trap;
        Status ended;
        QByteArray out;
    } cases[] = {
        {"trap 'echo got TERM; exit 0' TERM\n", Status::stopped(), "ready\ngot TERM\n"},
        {"trap '' TERM\n", Status::crashed(9), "ready\n"},
    };
    for (const auto& each : cases) {
        QFile::remove(logs() + QStringLiteral("/daemon.log"));
        auto manager = startedIdling(each.trap);
        StatusRecorder recorder(*manager);
        const auto stopped = std::chrono::steady_clock::now(); // just before the terminate request
        manager->stop();
        EXPECT_EQ(manager->status(), Status::stopped());
        ASSERT_TRUE(recorder.waitForChildEnds());
        const auto ended = std::chrono::steady_clock::now() - stopped;
        manager->flushLogs();
        EXPECT_EQ(manager->status(), each.ended);
        EXPECT_EQ(outLog(), each.out);
        if (each.ended == Status::stopped()) {
            EXPECT_LT(ended, 2000ms);
        } else {
            // Due at 2.0 s; the rest is reaping the child and reporting its end.
            EXPECT_GE(ended, 2000ms);
            EXPECT_LE(ended, 2500ms);
        }
    }
}

TEST_F(DaemonManagerTest, AStartThatOvertakesARestartLeavesTheNextStopAStop)
{
    auto manager = managerRunning(countedIdler);
    StatusRecorder recorder(*manager);
    manager->start();
    const qint32 firstPid = manager->status().pid();
    ASSERT_TRUE(launched(1));
    manager->restart();
    // The old child is reaped, but its end not yet handled, when start() comes.
    ASSERT_TRUE(waitForReaping(firstPid));
    manager->start();
    ASSERT_TRUE(manager->status().isRunning());

    ASSERT_TRUE(launched(2));
    manager->stop();
    ASSERT_TRUE(recorder.waitForChildEnds());
    EXPECT_EQ(manager->status(), Status::stopped());
    EXPECT_FALSE(manager->hasChild());
    EXPECT_EQ(readFileAt(scratchFile("launches")), "launched\nlaunched\n");
}

// Whatever the calls, a stop once they have settled ends it for good.
TEST_F(DaemonManagerTest, TheLastCallDecidesEvenWhileTheOldChildIsStillStopping)
{
    // Takes a while to stop, so the later calls land while it is going.
    const QByteArray slowToStop = "trap 'sleep 0.3; exit 0' TERM\n"
                                  "echo launched >> \"$SCRATCH/launches\"\n"
                                  "while :; do sleep 0.05; done\n";
    using Call = void (DaemonManager::*)();
    const struct
    {
        const char* calls;
        std::vector<Call> sequence;
        bool endsRunning;
    } cases[] = {
        {"restart", {&DaemonManager::restart}, true},
        {"stop, start", {&DaemonManager::stop, &DaemonManager::start}, true},
        {"restart, stop", {&DaemonManager::restart, &DaemonManager::stop}, false},
        {"stop, restart, stop",
         {&DaemonManager::stop, &DaemonManager::restart, &DaemonManager::stop},
         false},
        {"stop, start, start",
         {&DaemonManager::stop, &DaemonManager::start, &DaemonManager::start},
         true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.calls);
        QFile::remove(scratchFile("launches"));
        auto manager = managerRunning(slowToStop);
        StatusRecorder recorder(*manager);
        manager->start();
        const qint32 firstPid = manager->status().pid();
        ASSERT_TRUE(launched(1));
        for (const Call call : each.sequence)
            ((*manager).*call)();
        ASSERT_TRUE(recorder.waitForChildEnds());
        const int launches = each.endsRunning ? 2 : 1;
        ASSERT_TRUE(launched(launches));
        EXPECT_EQ(manager->hasChild(), each.endsRunning);
        if (each.endsRunning) {
            EXPECT_TRUE(manager->status().isRunning());
            EXPECT_NE(manager->status().pid(), firstPid);
        } else {
            EXPECT_EQ(manager->status(), Status::stopped());
        }
        manager->stop();
        ASSERT_TRUE(recorder.waitForChildEnds(launches));
        EXPECT_EQ(manager->status(), Status::stopped());
        EXPECT_FALSE(manager->hasChild());
        EXPECT_TRUE(launched(launches));
    }
}

TEST_F(DaemonManagerTest, TheEndOfAForgottenChildDoesNotReportOverItsSuccessor)
{
    // First launch exits at once; the second stays up.
    auto manager = managerRunning("if [ -e \"$SCRATCH/second\" ]; then exec sleep 30; fi\n"
                                  ": > \"$SCRATCH/second\"\nexit 3\n");
    manager->start();
    ASSERT_TRUE(waitForReaping(manager->status().pid()));

    manager->start(); // forgets the ended child, launches the second
    const Status second = manager->status();
    ASSERT_TRUE(second.isRunning());
    QCoreApplication::processEvents(); // the first child's end arrives now
    QCoreApplication::processEvents();
    EXPECT_EQ(manager->status(), second);
    EXPECT_TRUE(manager->hasChild());
}

TEST_F(DaemonManagerTest, ShutdownKillsADaemonThatIgnoresSigtermAfterTheGracePeriod)
{
    auto manager = startedIdling("trap '' TERM\necho $$ > \"$SCRATCH/pid\"\n");
    const auto started = std::chrono::steady_clock::now();
    manager->shutdown();
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_GE(took, 2000ms);
    EXPECT_LE(took, 2500ms);
    EXPECT_FALSE(manager->hasChild());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/") +
                               QString::fromUtf8(readFileAt(scratchFile("pid")).trimmed())));
}
