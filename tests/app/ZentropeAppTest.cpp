#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

// The application as a user runs it, from a bundle whose daemon is a script
// that notes its own stop; offscreen, with a home folder of its own.
TEST(ZentropeApp, QuitSignalsStopTheDaemonBeforeTheApplicationEnds)
{
    for (const int quitSignal : {SIGTERM, SIGINT, SIGHUP}) {
        QTemporaryDir scratch;
        TestBundle bundle;
        const QString executable = bundle.path() + QStringLiteral("/Contents/MacOS/Zentrope");
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTROPE_GUI_PATH), executable));
        const QByteArray notes = scratch.path().toUtf8();
        bundle.installFakeDaemon("trap 'echo stopped > \"" + notes + "/stopped\"; exit 0' TERM\n" +
                                 "echo $$ > \"" + notes + "/pid\"\n" +
                                 "while :; do sleep 0.05; done\n");

        QProcess app;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), scratch.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        app.setProcessEnvironment(environment);
        app.start(executable, {});
        ASSERT_TRUE(app.waitForStarted());
        const QString pidFile = scratch.filePath(QStringLiteral("pid"));
        ASSERT_TRUE(waitUntil([&] { return readFileAt(pidFile).endsWith('\n'); }))
            << "the daemon was not started";
        const pid_t daemon = readFileAt(pidFile).trimmed().toInt();

        ::kill(pid_t(app.processId()), quitSignal);
        ASSERT_TRUE(app.waitForFinished(10000));
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit) << quitSignal;
        EXPECT_EQ(app.exitCode(), 0);
        EXPECT_EQ(readFileAt(scratch.filePath(QStringLiteral("stopped"))), "stopped\n");
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
    QTemporaryDir scratch;
    TestBundle bundle;
    const QString executable = bundle.path() + QStringLiteral("/Contents/MacOS/Zentrope");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTROPE_GUI_PATH), executable));
    const QByteArray launches = scratch.filePath(QStringLiteral("launches")).toUtf8();
    bundle.installFakeDaemon("echo launched >> \"" + launches + "\"\nexec sleep 300\n");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), scratch.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(executable, {});
    ASSERT_TRUE(waitUntil([&] { return readFileAt(QString::fromUtf8(launches)) == "launched\n"; }));

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(executable, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(readFileAt(QString::fromUtf8(launches)), "launched\n");
}

// Killed outright, the application cannot stop its daemon: the daemon goes
// with it all the same.
TEST(ZentropeApp, KilledOutrightTheApplicationTakesItsDaemonAlong)
{
    QTemporaryDir scratch;
    TestBundle bundle;
    const QString executable = bundle.path() + QStringLiteral("/Contents/MacOS/Zentrope");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTROPE_GUI_PATH), executable));
    const QString pidFile = scratch.filePath(QStringLiteral("pid"));
    bundle.installFakeDaemon("echo $$ > \"" + pidFile.toUtf8() + "\"\nexec sleep 300\n");

    QProcess app;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), scratch.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    app.setProcessEnvironment(environment);
    app.start(executable, {});
    ASSERT_TRUE(waitUntil([&] { return readFileAt(pidFile).endsWith('\n'); }));
    const pid_t daemon = readFileAt(pidFile).trimmed().toInt();

    ::kill(pid_t(app.processId()), SIGKILL);
    ASSERT_TRUE(app.waitForFinished(10000));
    const bool gone = waitUntil([&] { return ::kill(daemon, 0) != 0; });
    if (!gone)
        ::kill(daemon, SIGKILL);
    EXPECT_TRUE(gone) << "the daemon outlived the killed application";
}
