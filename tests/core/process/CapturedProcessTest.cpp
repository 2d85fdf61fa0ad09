// The one way programs are run to their end: off the caller's thread (the
// certificate installer, tested with SetupCheck), or on it within a bound.
#include "core/process/CapturedProcess.h"

#include "support/Printers.h"
#include "support/Wait.h"

#include <csignal>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

TEST(CapturedProcess, AProgramThatCannotStartFailsWithTheReason)
{
    auto future = CapturedProcess::run(u"/nonexistent/bash"_s, {});
    ASSERT_TRUE(waitUntil([&] { return future.isFinished(); }));
    EXPECT_EQ(future.result().error().description,
              u"Could not launch /nonexistent/bash: No such file or directory"_s);
    EXPECT_EQ(CapturedProcess::runWithin(u"/nonexistent/bash"_s, {}, 1s).error().description,
              u"Could not launch /nonexistent/bash: No such file or directory"_s);
}

TEST(CapturedProcess, WithinABoundItReadsNothingAndKillsWhatOutrunsIt)
{
    // `read` fails at once on the null device, instead of waiting for a terminal.
    const auto ran = CapturedProcess::runWithin(
        u"/bin/sh"_s, {u"-c"_s, u"read line; echo \"read $?\"; echo err >&2; exit 3"_s}, 10s);
    ASSERT_TRUE(ran.ok());
    EXPECT_EQ(ran.value().bytes, "read 1\nerr\n");
    EXPECT_EQ(ran.value().termination.status, 3);
    EXPECT_FALSE(ran.value().termination.bySignal || ran.value().timedOut);

    const auto hung = CapturedProcess::runWithin(u"/bin/sleep"_s, {u"600"_s}, 200ms,
                                                 CapturedProcess::Capture::nothing);
    ASSERT_TRUE(hung.ok());
    EXPECT_TRUE(hung.value().timedOut);
    EXPECT_TRUE(hung.value().termination.bySignal);
    EXPECT_EQ(hung.value().termination.status, SIGKILL);
}

TEST(CapturedProcess, AChildGetsTheDefaultSigpipeAndSigxfszAndAnEmptySignalMask)
{
    // As in our executables, which ignore both to report failed writes.
    struct sigaction ignore = {}, previousPipe = {}, previousSize = {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGPIPE, &ignore, &previousPipe), 0);
    ASSERT_EQ(::sigaction(SIGXFSZ, &ignore, &previousSize), 0);
    const auto ran = CapturedProcess::runWithin(
        u"/bin/grep"_s, {u"-E"_s, u"^Sig(Ign|Blk):"_s, u"/proc/self/status"_s}, 10s);
    ::sigaction(SIGPIPE, &previousPipe, nullptr);
    ::sigaction(SIGXFSZ, &previousSize, nullptr);
    ASSERT_TRUE(ran.ok());
    // So `producer | head` in a script it runs ends as it would from a shell.
    bool ok = false;
    const QList<QByteArray> lines = ran.value().bytes.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2) << ran.value().bytes.toStdString();
    const quint64 ignored = lines[1].mid(lines[1].indexOf('\t') + 1).toULongLong(&ok, 16);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ignored & ((1u << (SIGPIPE - 1)) | (1u << (SIGXFSZ - 1))), 0u);
    EXPECT_EQ(lines[0], "SigBlk:\t0000000000000000");
}
