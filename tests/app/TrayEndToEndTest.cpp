// Zentrope from the bundle as a user meets it: on a desktop of its own
// (Xvfb) with a tray (trayer), driven by clicks and keys.
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"
#include "support/XSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;

namespace {

// The process ids whose parent is `parent`.
QList<qint64> childrenOf(qint64 parent)
{
    QList<qint64> children;
    const QStringList tasks =
        QDir(u"/proc/%1/task"_s.arg(parent)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        const QByteArray listed = readFileAt(u"/proc/%1/task/%2/children"_s.arg(parent).arg(task));
        for (const QByteArray& pid : listed.split(' '))
            if (!pid.trimmed().isEmpty())
                children << pid.trimmed().toLongLong();
    }
    return children;
}

// Clicks the tray icon of `pid` until its panel shows, as a person would click
// again: the tray may still be moving the icon into place after mapping it.
std::optional<XSession::Window> openPanel(const XSession& desktop, qint64 pid)
{
    std::optional<XSession::Window> panel;
    const auto shown = [&] {
        for (const XSession::Window& window : desktop.topLevelsOf(pid))
            if (window.geometry.width() == 260)
                panel = window;
        return panel.has_value();
    };
    for (int attempt = 0; attempt < 3 && !panel; ++attempt) {
        const std::optional<XSession::Window> icon = desktop.trayIconOf(pid);
        if (icon && desktop.click(icon->geometry.center()))
            waitUntil(shown, 3s);
    }
    return panel;
}

} // namespace

TEST(TrayEndToEnd, ThePanelOpensTheWindowAndQuittingEndsTheApplicationAndTheDaemon)
{
    if (const QString missing = XSession::missingPrograms(); !missing.isEmpty())
        GTEST_SKIP() << "needs " << missing.toStdString()
                     << " (Debian: apt-get install xvfb trayer xdotool)";
    XSession desktop;
    ASSERT_TRUE(desktop.start()) << desktop.error().toStdString();

    // Not the first run, so the window opens only when asked; no update checks.
    QTemporaryDir scratch;
    const QString home = scratch.filePath(u"home"_s);
    writeFileAt(home + u"/.config/Zentrope/Zentrope.conf"_s,
                "[General]\nzentrope.firstRun.completed=true\n"
                "zentrope.launchAtLogin.registered=true\nSUEnableAutomaticChecks=false\n");
    const QString runtime = scratch.filePath(u"runtime"_s);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = desktop.environment(QProcessEnvironment::systemEnvironment());
    environment.insert(u"HOME"_s, home);
    environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    environment.insert(u"ZENTROPE_DAEMON_PORT"_s, u"0"_s);

    QProcess app;
    // Whatever fails, the application goes the polite way, with its daemon.
    const auto stop = qScopeGuard([&] {
        if (app.state() != QProcess::NotRunning) {
            app.terminate();
            app.waitForFinished(10000);
        }
    });
    app.setProcessEnvironment(environment);
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    app.start(QStringLiteral(ZENTROPE_APP_DIR "/Contents/MacOS/Zentrope"), {});
    ASSERT_TRUE(app.waitForStarted());
    const qint64 pid = app.processId();

    std::optional<XSession::Window> icon;
    ASSERT_TRUE(waitUntil([&] { return (icon = desktop.trayIconOf(pid)).has_value(); }))
        << "no icon in the tray";
    QList<qint64> daemons;
    ASSERT_TRUE(waitUntil([&] { return !(daemons = childrenOf(pid)).isEmpty(); }))
        << "no daemon started";
    EXPECT_TRUE(desktop.topLevelsOf(pid).isEmpty()) << "a window opened by itself";

    std::optional<XSession::Window> panel = openPanel(desktop, pid);
    ASSERT_TRUE(panel) << "no panel";
    EXPECT_EQ(panel->geometry.width(), 260);
    EXPECT_GT(panel->geometry.top(), icon->geometry.bottom()) << "below the icon";

    // "Open Zentrope…" has the focus: Return presses it.
    ASSERT_TRUE(desktop.key(u"Return"_s));
    std::optional<XSession::Window> window;
    ASSERT_TRUE(waitUntil([&] {
        for (const XSession::Window& each : desktop.topLevelsOf(pid))
            if (each.geometry.width() >= 720)
                window = each;
        return window.has_value();
    })) << "no main window";
    EXPECT_EQ(window->name, u"Zentrope"_s);
    EXPECT_TRUE(waitUntil([&] { return desktop.topLevelsOf(pid).size() == 1; }))
        << "the panel closed";

    // The panel again, and its last button: "Quit Zentrope".
    panel = openPanel(desktop, pid);
    ASSERT_TRUE(panel) << "no panel the second time";
    ASSERT_TRUE(desktop.click(panel->geometry.bottomLeft() + QPoint(14 + 12, -14 - 8)));
    ASSERT_TRUE(app.waitForFinished(10000)) << "still running after Quit Zentrope";
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
    for (const qint64 daemon : daemons) {
        const bool left = QFile::exists(u"/proc/%1"_s.arg(daemon));
        if (left)
            ::kill(pid_t(daemon), SIGKILL);
        EXPECT_FALSE(left) << "the daemon " << daemon << " outlived the application";
    }
}
