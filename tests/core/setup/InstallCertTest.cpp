// SetupCheck::installCert with installer scripts of the tests' own.
#include "core/setup/SetupCheck.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

class InstallCertTest : public ::testing::Test
{
protected:
    void script(const QByteArray& body) const
    {
        bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s, body);
    }
    Result<QString> install() const
    {
        return awaitResult(SetupCheck::installCert(bundle.bundle()), std::chrono::seconds(60));
    }
    QString file(const char* name) const { return bundle.root() + u'/' + QString::fromUtf8(name); }

    TestBundle bundle;
};

Error failed(int code, const QString& output)
{
    return {u"SetupCheck"_s, code, u"Cert install failed:\n"_s + output};
}

} // namespace

TEST_F(InstallCertTest, TheScriptsStatusAndOutputMakeTheResult)
{
    // Bash, run on a missing script, would end with status 127 instead.
    EXPECT_EQ(install().error(), (Error{u"SetupCheck"_s, 1, u"Bundled cert installer missing."_s}));
    script("echo 'no keychain' >&2\nexit 3\n");
    EXPECT_EQ(install().error(), failed(3, u"no keychain\n"_s));
    script("echo partial\nkill -KILL $$\n"); // ended by a signal: never a success
    EXPECT_EQ(install().error(), failed(SIGKILL, u"partial\n"_s));
    script("printf 'ok \\377'\n");
    EXPECT_EQ(install().value(), QString()); // not UTF-8
    script("printf 'caf\\303\\251'\n");
    EXPECT_EQ(install().value(), QString::fromUtf8("café"));
}

TEST_F(InstallCertTest, BothStreamsArriveInterleavedAndInFull)
{
    script("echo one\necho two >&2\necho three\nhead -c 10485760 /dev/zero | tr '\\0' x\n");
    const QString text = install().value();
    EXPECT_EQ(text.left(14), u"one\ntwo\nthree\n"_s);
    EXPECT_EQ(text.count(u'x'), 10485760);
}

TEST_F(InstallCertTest, TheCallerGoesOnWhileTheScriptRuns)
{
    const QString go = file("go");
    ASSERT_EQ(::mkfifo(QFile::encodeName(go).constData(), 0600), 0);
    script("read word < '" + go.toUtf8() + "'\necho \"$word\"\n");
    QFuture<Result<QString>> pending = SetupCheck::installCert(bundle.bundle());
    EXPECT_FALSE(pending.isFinished()); // the script waits for us
    writeFileAt(go, "done\n");
    EXPECT_EQ(awaitResult(pending).value(), u"done\n"_s);
}

TEST_F(InstallCertTest, ABackgroundProcessHoldingTheOutputDoesNotHoldTheResult)
{
    script("sleep 600 &\necho $! > '" + file("pid").toUtf8() + "'\necho started\n");
    EXPECT_EQ(install().value(), u"started\n"_s);
    ::kill(pid_t(readFileAt(file("pid")).trimmed().toInt()), SIGKILL);
}
