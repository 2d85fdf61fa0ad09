#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The application as a user runs it, from a bundle whose daemon is a script
// that leaves notes in a scratch folder; offscreen, with a home folder of its own.
class Installation
{
public:
    Installation() { EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPE_GUI_PATH), executable())); }
    QString note(const char* name) const { return scratch.filePath(QString::fromUtf8(name)); }
    // The script writes its pid to the note "pid" first.
    void installDaemon(const QByteArray& script) const
    {
        bundle.installFakeDaemon("echo $$ > \"" + note("pid").toUtf8() + "\"\n" + script);
    }
    void launch(QProcess& app) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, note("home"));
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        app.setProcessEnvironment(environment);
        app.start(executable(), {});
    }
    pid_t daemonPid() const
    {
        EXPECT_TRUE(waitUntil([&] { return readFileAt(note("pid")).endsWith('\n'); }))
            << "the daemon was not started";
        return readFileAt(note("pid")).trimmed().toInt();
    }

private:
    QString executable() const { return bundle.path() + u"/Contents/MacOS/Zentrope"_s; }

    QTemporaryDir scratch;
    TestBundle bundle;
};

} // namespace

TEST(ZentropeApp, QuitSignalsStopTheDaemonBeforeTheApplicationEnds)
{
    for (const int quitSignal : {SIGTERM, SIGINT, SIGHUP}) {
        Installation zentrope;
        zentrope.installDaemon("trap 'echo stopped > \"" + zentrope.note("stopped").toUtf8() +
                               "\"; exit 0' TERM\nwhile :; do sleep 0.05; done\n");
        QProcess app;
        zentrope.launch(app);
        const pid_t daemon = zentrope.daemonPid();

        ::kill(pid_t(app.processId()), quitSignal);
        ASSERT_TRUE(app.waitForFinished(10000));
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit) << quitSignal;
        EXPECT_EQ(app.exitCode(), 0);
        EXPECT_EQ(readFileAt(zentrope.note("stopped")), "stopped\n");
        const bool outlived = ::kill(daemon, 0) == 0;
        if (outlived)
            ::kill(daemon, SIGKILL);
        EXPECT_FALSE(outlived) << "the daemon outlived the application";
    }
}

// A second launch of the same user's asks the running one to show its window
// and ends at once, without a second supervisor (nor a second daemon).
TEST(ZentropeApp, ASecondLaunchEndsWithoutStartingASecondDaemon)
{
    Installation zentrope;
    zentrope.installDaemon("echo launched >> \"" + zentrope.note("launches").toUtf8() +
                           "\"\nexec sleep 300\n");
    QProcess first;
    zentrope.launch(first);
    ASSERT_TRUE(waitUntil([&] { return readFileAt(zentrope.note("launches")) == "launched\n"; }));

    QProcess second;
    zentrope.launch(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(readFileAt(zentrope.note("launches")), "launched\n");
}
