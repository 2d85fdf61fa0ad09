#include "platform/linux/ProcWorkspace.h"

#include "support/FakeApplication.h"
#include "support/Printers.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

std::optional<platform::RunningApplication> find(const platform::Workspace& workspace, pid_t pid)
{
    for (const auto& application : workspace.runningApplications()) {
        if (application.processIdentifier == pid)
            return application;
    }
    return std::nullopt;
}

} // namespace

TEST(ProcWorkspace, ListsProcessesInsideBundlesThatNameAnIdentifier)
{
    QTemporaryDir folder;
    // Identifiers of no Office host, so that no concurrent quit request hits them.
    FakeApplication word(folder.path(), QStringLiteral("Word Processor"),
                         QStringLiteral("com.example.Words"));
    FakeApplication anonymous(folder.path(), QStringLiteral("Anonymous"), {});
    ASSERT_TRUE(word.start());
    ASSERT_TRUE(anonymous.start());

    const platform::ProcWorkspace workspace;
    const auto listed = find(workspace, word.pid());
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->bundleIdentifier, QStringLiteral("com.example.Words"));
    EXPECT_EQ(listed->executablePath, word.executablePath());
    EXPECT_FALSE(find(workspace, anonymous.pid()));
    EXPECT_FALSE(find(workspace, ::getpid())) << "a process outside any bundle";
}

TEST(ProcWorkspace, QuitRequestIsSigtermToTheSameExecutableOnly)
{
    QTemporaryDir folder;
    FakeApplication excel(folder.path(), QStringLiteral("Spreadsheet"),
                          QStringLiteral("com.example.Sheets"));
    ASSERT_TRUE(excel.start());
    platform::ProcWorkspace workspace;
    auto application = find(workspace, excel.pid());
    ASSERT_TRUE(application);

    // The process id may belong to another program by the time we ask.
    platform::RunningApplication recycled = *application;
    recycled.executablePath = QStringLiteral("/bin/sleep");
    EXPECT_FALSE(workspace.terminate(recycled));

    EXPECT_TRUE(workspace.terminate(*application));
    EXPECT_EQ(excel.waitForEndingSignal(), SIGTERM);
    EXPECT_FALSE(workspace.terminate(*application)) << "gone already";
}
