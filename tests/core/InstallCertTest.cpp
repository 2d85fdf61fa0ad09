// SetupCheck::installCert with installer scripts of the tests' own.
#include "core/CapturedProcess.h"
#include "core/SetupCheck.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class InstallCertTest : public ::testing::Test
{
protected:
    void installScript(const QByteArray& body)
    {
        bundle.writeFile(QStringLiteral("Resources/setup/install-localhost-cert.sh"), body);
    }

    // Waits for the result as a caller does: on its own thread, through a continuation.
    Result<QString> install()
    {
        std::optional<Result<QString>> result;
        QObject context;
        SetupCheck::installCert(bundle.bundle())
            .then(&context, [&](const Result<QString>& installed) {
                EXPECT_EQ(QThread::currentThread(), context.thread());
                result = installed;
            });
        EXPECT_TRUE(waitUntil([&] { return result.has_value(); }, std::chrono::seconds(60)));
        return result.value_or(Error{});
    }

    QString file(const char* name) const { return bundle.root() + u'/' + QString::fromUtf8(name); }

    TestBundle bundle;
};

} // namespace

TEST_F(InstallCertTest, AFailingScriptGivesItsStatusAndItsOutput)
{
    installScript("echo 'no keychain' >&2\nexit 3\n");
    EXPECT_EQ(install().error(), (Error{QStringLiteral("SetupCheck"), 3,
                                        QStringLiteral("Cert install failed:\nno keychain\n")}));
}

TEST_F(InstallCertTest, ASilentSuccessGivesEmptyText)
{
    installScript("exit 0\n");
    EXPECT_EQ(install().value(), QString());
}

TEST_F(InstallCertTest, WithoutTheScriptNothingRuns)
{
    // Running bash on a missing script would fail with status 127 instead.
    EXPECT_EQ(install().error(), (Error{QStringLiteral("SetupCheck"), 1,
                                        QStringLiteral("Bundled cert installer missing.")}));
}

TEST_F(InstallCertTest, OutputThatIsNotUtf8ReadsAsEmpty)
{
    installScript("printf 'ok \\377\\376'\n");
    EXPECT_EQ(install().value(), QString());
    installScript("printf 'caf\\303\\251 \\342\\200\\246'\n");
    EXPECT_EQ(install().value(), QString::fromUtf8("café …"));
}

TEST_F(InstallCertTest, BothStreamsArriveInterleavedAndInFull)
{
    installScript("echo one\necho two >&2\necho three\nhead -c 10485760 /dev/zero | tr '\\0' x\n");
    const QString text = install().value();
    EXPECT_EQ(text.left(14), QStringLiteral("one\ntwo\nthree\n"));
    EXPECT_EQ(text.size(), 14 + 10485760);
    EXPECT_EQ(text.count(u'x'), 10485760);
}

TEST_F(InstallCertTest, TheCallerIsNotHeldWhileTheScriptRuns)
{
    const QString go = file("go");
    ASSERT_EQ(::mkfifo(QFile::encodeName(go).constData(), 0600), 0);
    installScript("read word < '" + go.toUtf8() + "'\necho \"$word\"\n");
    QFuture<Result<QString>> pending = SetupCheck::installCert(bundle.bundle());
    EXPECT_FALSE(pending.isFinished()); // the script waits for us
    QFile fifo(go);
    ASSERT_TRUE(fifo.open(QIODevice::WriteOnly));
    fifo.write("done\n");
    fifo.close();
    ASSERT_TRUE(waitUntil([&] { return pending.isFinished(); }));
    EXPECT_EQ(pending.result().value(), QStringLiteral("done\n"));
}

TEST_F(InstallCertTest, ABackgroundProcessHoldingTheOutputDoesNotHoldTheResult)
{
    const QString pidFile = file("pid");
    installScript("sleep 600 &\necho $! > '" + pidFile.toUtf8() + "'\necho started\n");
    EXPECT_EQ(install().value(), QStringLiteral("started\n"));
    ::kill(pid_t(readFileAt(pidFile).trimmed().toInt()), SIGKILL);
}

TEST_F(InstallCertTest, AScriptEndedBySignalFails)
{
    installScript("echo partial\nkill -KILL $$\n");
    const Result<QString> result = install();
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().code, SIGKILL);
    EXPECT_EQ(result.error().description, QStringLiteral("Cert install failed:\npartial\n"));
}

TEST(CapturedProcess, AProgramThatCannotStartFailsWithTheReason)
{
    auto future = CapturedProcess::run(QStringLiteral("/nonexistent/bash"), {});
    ASSERT_TRUE(waitUntil([&] { return future.isFinished(); }));
    EXPECT_EQ(future.result().error().description,
              QStringLiteral("Could not launch /nonexistent/bash: No such file or directory"));
}
