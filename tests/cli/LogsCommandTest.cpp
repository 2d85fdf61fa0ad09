#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LogsCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        process.setProcessEnvironment(environment);
        process.setProgram(QStringLiteral(ZENTROPECTL_PATH));
    }

    QString logPath(const char* name) const
    {
        return home.filePath(QStringLiteral("Library/Logs/Zentrope/") + QString::fromUtf8(name));
    }

    // Runs `zentropectl logs <arguments>` to its end; returns its exit code.
    int run(const QStringList& arguments)
    {
        process.setArguments(QStringList{QStringLiteral("logs")} + arguments);
        process.start();
        if (!process.waitForFinished(10'000))
            return -1;
        output = process.readAllStandardOutput();
        errors = process.readAllStandardError();
        return process.exitCode();
    }

    bool waitForOutput(const QByteArray& expected)
    {
        return waitUntil([&] {
            output += process.readAllStandardOutput();
            return output == expected;
        });
    }

    static void append(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(bytes);
    }

    QTemporaryDir home;
    QProcess process;
    QByteArray output;
    QByteArray errors;
};

} // namespace

TEST_F(LogsCommandTest, PrintsEitherLogWholeOrFiltered)
{
    writeFileAt(logPath("daemon.log"), "Alpha\nbeta ERROR\ngamma error again\nlast");
    writeFileAt(logPath("daemon.err"), "boom\n");
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(output, "Alpha\nbeta ERROR\ngamma error again\nlast");
    EXPECT_EQ(run({QStringLiteral("--errors")}), 0);
    EXPECT_EQ(output, "boom\n");
    EXPECT_EQ(run({QStringLiteral("--filter"), QStringLiteral("Error")}), 0);
    EXPECT_EQ(output, "beta ERROR\ngamma error again\n");
    EXPECT_EQ(run({QStringLiteral("--filter"), QStringLiteral("LAST")}), 0);
    EXPECT_EQ(output, "last\n"); // the file's end ends its last line
    EXPECT_EQ(run({QStringLiteral("--filter"), QStringLiteral("nothing")}), 0);
    EXPECT_EQ(output, "");
}

TEST_F(LogsCommandTest, AMissingLogAndBadUsageAreReported)
{
    EXPECT_EQ(run({}), 1);
    EXPECT_EQ(errors, "zentropectl: cannot read " + logPath("daemon.log").toUtf8() +
                          ": No such file or directory\n");
    EXPECT_FALSE(QFile::exists(logPath("daemon.log"))); // reading creates nothing
    EXPECT_EQ(run({QStringLiteral("--follow")}), 1);
    EXPECT_TRUE(errors.startsWith("zentropectl: cannot follow ")) << errors.toStdString();
    EXPECT_EQ(run({QStringLiteral("daemon.log")}), 2);
    EXPECT_EQ(run({QStringLiteral("--since")}), 2);
}

TEST_F(LogsCommandTest, FollowingGoesOnAcrossDeletionAndRenamingUntilInterrupted)
{
    writeFileAt(logPath("daemon.log"), "start\n");
    process.setArguments({QStringLiteral("logs"), QStringLiteral("--follow")});
    process.start();
    ASSERT_TRUE(waitForOutput("start\n"));
    append(logPath("daemon.log"), "one\n");
    ASSERT_TRUE(waitForOutput("start\none\n"));

    ASSERT_TRUE(QFile::remove(logPath("daemon.log")));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(logPath("daemon.log")); }));
    append(logPath("daemon.log"), "two\n");
    ASSERT_TRUE(waitForOutput("start\none\ntwo\n"));

    ASSERT_TRUE(QFile::rename(logPath("daemon.log"), logPath("daemon.log.1")));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(logPath("daemon.log")); }));
    append(logPath("daemon.log"), "three\n");
    ASSERT_TRUE(waitForOutput("start\none\ntwo\nthree\n"));

    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(LogsCommandTest, AFilteredFollowPrintsCompleteMatchingLinesAndTheLastOneAtTheEnd)
{
    writeFileAt(logPath("daemon.err"), "keep 1\ndrop\nkeep 2 unfinished");
    process.setArguments({QStringLiteral("logs"), QStringLiteral("--errors"),
                          QStringLiteral("--follow"), QStringLiteral("--filter"),
                          QStringLiteral("KEEP")});
    process.start();
    ASSERT_TRUE(waitForOutput("keep 1\n"));
    // One write, read at once: "keep 4" has arrived when "Keep 3" shows.
    append(logPath("daemon.err"), " now\ndrop\nKeep 3\nkeep 4");
    ASSERT_TRUE(waitForOutput("keep 1\nkeep 2 unfinished now\nKeep 3\n"));
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10'000));
    output += process.readAllStandardOutput();
    EXPECT_EQ(output, "keep 1\nkeep 2 unfinished now\nKeep 3\nkeep 4\n");
    EXPECT_EQ(process.exitCode(), 0);
}
