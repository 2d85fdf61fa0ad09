#include "platform/linux/ProcWorkspace.h"

#include "support/FakeApplication.h"
#include "support/Printers.h"

#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::optional<platform::RunningApplication> find(const platform::Workspace& workspace, pid_t pid)
{
    const auto running = workspace.runningApplications();
    const auto found =
        std::ranges::find(running, pid, &platform::RunningApplication::processIdentifier);
    return found != running.end() ? std::optional(*found) : std::nullopt;
}

} // namespace

TEST(ProcWorkspace, ListsProcessesInsideBundlesThatNameAnIdentifierAndQuitsTheSameExecutableOnly)
{
    QTemporaryDir folder;
    // Identifiers of no Office host, so that no concurrent quit request hits them.
    FakeApplication word(folder.path(), u"Word Processor"_s, u"com.example.Words"_s);
    FakeApplication anonymous(folder.path(), u"Anonymous"_s, {});
    ASSERT_TRUE(word.start());
    ASSERT_TRUE(anonymous.start());

    platform::ProcWorkspace workspace;
    const auto listed = find(workspace, word.pid());
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->bundleIdentifier, u"com.example.Words"_s);
    EXPECT_EQ(listed->executablePath, word.executablePath());
    EXPECT_FALSE(find(workspace, anonymous.pid()));
    EXPECT_FALSE(find(workspace, ::getpid())) << "a process outside any bundle";

    // The process id may belong to another program by the time we ask.
    platform::RunningApplication recycled = *listed;
    recycled.executablePath = u"/bin/sleep"_s;
    EXPECT_FALSE(workspace.terminate(recycled));
    EXPECT_TRUE(workspace.terminate(*listed));
    EXPECT_EQ(word.waitForEndingSignal(), SIGTERM);
    EXPECT_FALSE(workspace.terminate(*listed)) << "gone already";
}
