// Renders the main window, its daemon header and its tabs in their key
// states, in a light and a dark palette, at pixel ratio 2, to PNG files for a
// person to look at: screenshots [folder] (default build/screenshots).
#include "core/office/OfficeHost.h"
#include "core/support/CrashReports.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"
#include "support/TestCertificates.h"
#include "support/TestEnvironment.h"
#include "support/TestServer.h"
#include "support/Wait.h"
#include "support/XSession.h"
#include "ui/DaemonHeader.h"
#include "ui/FileDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuBarContent.h"
#include "ui/MenuBarIcon.h"
#include "ui/SymbolView.h"
#include "ui/Symbols.h"
#include "ui/TabViews.h"
#include "ui/UpdateCheckFlow.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/DiagnosticsBox.h"
#include "ui/tabs/HostRow.h"
#include "ui/tabs/LogTextView.h"
#include "ui/tabs/StatusTab.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <cstdio>

namespace {

using Kind = DaemonManager::Status::Kind;
using namespace Qt::StringLiterals;

const QByteArray fullAnswer = R"({"ok": true, "version": "2.4.1", "activeSessions": 2,
    "permissions": {"prismAutomation": "granted", "systemEventsAutomation": "denied",
                    "accessibility": "unknown"}})";

class Shooter
{
public:
    Shooter(QString folder, QString paletteName)
        : m_folder(std::move(folder))
        , m_paletteName(std::move(paletteName))
    {}

    bool save(QWidget* widget, const QString& what)
    {
        // Resizes and layouts settle through posted events.
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return saveImage(widget->grab().toImage(), what);
    }

    bool saveImage(const QImage& image, const QString& what)
    {
        const QString path = QStringLiteral("%1/%2-%3.png").arg(m_folder, what, m_paletteName);
        if (!image.save(path)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        return true;
    }

private:
    QString m_folder;
    QString m_paletteName;
};

// One window over a context of its own, in a home folder of its own.
struct Scene
{
    explicit Scene(quint16 daemonPort = 0)
        : app(daemonPort)
    {
        window.show();
    }
    StatusTab* statusTab() const { return qobject_cast<StatusTab*>(window.tabView()); }
    bool setupKnown() const
    {
        return waitUntil([this] { return statusTab() && statusTab()->setupState(); });
    }

    TemporaryHome home;
    TestContext app;
    FileDialog fileDialog;
    TabViews views{app.context(), fileDialog};
    MainWindow window{app.manager(), views};
};

bool failed(const char* what)
{
    std::fprintf(stderr, "could not reach the state: %s\n", what);
    return false;
}

// Every symbol in every tint, named, so their drawing can be judged together.
bool shootSymbols(Shooter& shooter)
{
    QWidget sheet;
    auto* grid = new QGridLayout(&sheet);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(14);
    const QList<SemanticColor> tints{SemanticColor::green, SemanticColor::red,
                                     SemanticColor::orange, SemanticColor::yellow,
                                     SemanticColor::secondary};
    int row = 0;
    for (const QString& name : Symbols::names()) {
        grid->addWidget(new QLabel(name, &sheet), row, 0);
        for (int column = 0; column < tints.size(); ++column)
            grid->addWidget(new SymbolView(name, tints[column], TextStyle::title3, &sheet), row,
                            column + 1);
        grid->addWidget(new SymbolView(name, SemanticColor::secondary, TextStyle::body, &sheet),
                        row, int(tints.size()) + 1);
        auto* large = new SymbolView(name, SemanticColor::secondary, TextStyle::title2, &sheet);
        large->setFixedSize(40, 40);
        grid->addWidget(large, row, int(tints.size()) + 2);
        ++row;
    }
    sheet.show();
    return shooter.save(&sheet, u"symbols"_s);
}

// The header in each state, and the status tab stopped, querying and crashed
// (the red line of an earlier failure still under it).
bool shootDaemonStates(Shooter& shooter)
{
    TestServer server(TestServer::Serves::plainHttp);
    server.setHolding(true); // no answer yet: querying
    Scene scene(server.port());
    MainWindow& window = scene.window;
    auto* header = window.findChild<DaemonHeader*>();
    bool ok = scene.setupKnown() || failed("setup evaluated");
    ok = ok && shooter.save(&window, u"status-stopped"_s) &&
         shooter.save(header, u"header-stopped"_s);

    const auto starting =
        QObject::connect(&scene.app.manager(), &DaemonManager::statusChanged, header,
                         [&](const DaemonManager::Status& status) {
                             // The state lasts only while start() launches the child.
                             if (status.kind() == Kind::starting)
                                 ok = shooter.save(header, u"header-starting"_s) && ok;
                         });
    ok = scene.app.startAndSettle() && ok;
    QObject::disconnect(starting);
    ok = ok && shooter.save(&window, u"status-querying"_s) &&
         shooter.save(header, u"header-running"_s);

    server.setHolding(false);
    server.setAnswer(200, "Service Unavailable");
    server.releaseHeld();
    ok = ok && (waitUntil([&] { return scene.statusTab()->poller().lastError().has_value(); }) ||
                failed("a failed poll"));
    scene.app.manager().stop();
    ok = ok && waitUntil([&] { return !scene.app.manager().hasChild(); });
    scene.app.setCrashing(true);
    ok = ok && scene.app.startAndSettle();
    return ok && shooter.save(&window, u"status-crashed"_s) &&
           shooter.save(header, u"header-crashed"_s);
}

// Running with a full answer: once with the setup in order, once with all
// three setup rows and the message of an installation.
bool shootAnswers(Shooter& shooter)
{
    TestServer server(TestServer::Serves::plainHttp);
    server.setAnswer(200, fullAnswer);
    bool ok = true;
    {
        Scene scene(server.port());
        writeFileAt(SetupCheck::certificatePath(),
                    TestCertificates::shared().serverCertificate().toPem());
        QDir().mkpath(OfficeHost(OfficeHost::word).wefDirectory());
        writeFileAt(OfficeHost(OfficeHost::word).wefDirectory() + u"/zentrope.manifest.xml"_s, "m");
        scene.app.fakes.certificateTrust->trusted = true;
        scene.app.fakes.accessibility->trusted = true;
        scene.app.fakes.loginItem->current = platform::LoginItem::Status::enabled;
        ok = scene.app.startAndSettle();
        scene.window.setSelection(MainWindow::Tab::addIn);  // the status tab afresh,
        scene.window.setSelection(MainWindow::Tab::status); // with the setup above
        ok = ok && scene.setupKnown() &&
             (waitUntil([&] { return scene.statusTab()->poller().status().has_value(); }) ||
              failed("an answer"));
        ok = ok && shooter.save(&scene.window, u"status-running"_s);
    }
    Scene scene(server.port());
    QDir().mkpath(OfficeHost(OfficeHost::excel).containerDirectory());
    scene.app.bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s, "exit 0\n");
    ok = scene.app.startAndSettle() && ok;
    scene.window.setSelection(MainWindow::Tab::addIn);
    scene.window.setSelection(MainWindow::Tab::status);
    ok = ok && scene.setupKnown();
    QPushButton* install = Widgets::visibleButton(scene.window.tabView(), u"Install cert"_s);
    if (!install)
        return failed("an Install cert button");
    QTest::mouseClick(install, Qt::LeftButton);
    ok =
        ok && (waitUntil([&] { return install->isEnabled(); }) || failed("the installation's end"));
    ok = ok && waitUntil([&] { return scene.statusTab()->poller().status().has_value(); });
    ok = ok && shooter.save(&scene.window, u"status-setup-needed"_s);
    scene.window.resize(720, 480);
    return ok && shooter.save(&scene.window, u"status-setup-needed-smallest"_s);
}

// Word sideloaded and running, Excel without the add-in, PowerPoint absent;
// a success, then a failure; and the note of a bundle without its manifest.
bool shootAddIn(Shooter& shooter)
{
    Scene scene;
    const OfficeHost word = OfficeHost::word;
    QDir().mkpath(word.containerDirectory());
    QDir().mkpath(OfficeHost(OfficeHost::excel).containerDirectory());
    scene.app.fakes.workspace->setApplications(
        {{4242, word.bundleId(), u"/Applications/Microsoft Word.app/Contents/MacOS/Word"_s}});
    scene.window.setSelection(MainWindow::Tab::addIn);
    bool ok = shooter.save(&scene.window, u"addin-no-manifest"_s);

    const QString manifest = scene.home.path() + u"/Manifests/zentrope-beta.xml"_s;
    writeFileAt(manifest, "<OfficeApp/>");
    scene.fileDialog.setNextFileName(manifest);
    QWidget* tab = scene.window.tabView();
    const auto press = [&](QWidget* root, const QString& text) {
        if (QPushButton* button = Widgets::visibleButton(root, text))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            ok = failed(qPrintable(text));
    };
    press(tab, u"Choose Manifest…"_s);
    press(tab->findChildren<HostRow*>().value(0), u"Install"_s);
    scene.fileDialog.setNextFileName(scene.home.path() + u"/Manifests"_s);
    press(tab, u"Choose Manifest…"_s);
    press(tab->findChildren<HostRow*>().value(0), u"Reinstall"_s);
    ok = ok && shooter.save(&scene.window, u"addin-mixed"_s);
    scene.window.resize(720, 480);
    return ok && shooter.save(&scene.window, u"addin-mixed-smallest"_s);
}

// A daemon's output as the logs tab shows it, then filtered for errors.
bool shootLogs(Shooter& shooter)
{
    Scene scene;
    QByteArray log;
    const char* lines[] = {
        "2026-12-05T09:52:04.120Z info  zentrope-daemon 2.4.1 starting (node v20.11.1)",
        "2026-12-05T09:52:04.131Z info  localhost certificate found: "
        "~/.zentrope/certs/localhost.crt",
        "2026-12-05T09:52:04.164Z info  listening on https://127.0.0.1:27832",
        "2026-12-05T09:52:09.502Z info  session 7f3a opened by Microsoft Word (add-in 1.8.0)",
        "2026-12-05T09:52:09.517Z debug GET /api/status 200 in 3 ms",
        "2026-12-05T09:52:11.880Z info  chart request 12 for session 7f3a: 3 series, 48 points",
        "2026-12-05T09:52:12.204Z warn  Prism took 312 ms to answer (slow start)",
        "2026-12-05T09:52:12.390Z info  chart request 12 done in 510 ms",
        "2026-12-05T09:53:40.011Z error chart request 13 failed: Prism automation denied (-1743)",
        "2026-12-05T09:53:40.012Z info  asking the user to allow automation of Prism",
        "2026-12-05T09:54:02.774Z debug GET /api/status 200 in 2 ms",
        "2026-12-05T09:55:18.302Z info  session 91c2 opened by Microsoft Excel (add-in 1.8.0)",
        "2026-12-05T09:55:19.645Z error System Events did not answer within 5 s; retrying once",
        "2026-12-05T09:55:20.118Z info  System Events answered on the second try",
        "2026-12-05T09:56:31.907Z info  chart request 14 for session 91c2: 1 series, 1,200 points",
        "2026-12-05T09:56:32.455Z info  chart request 14 done in 548 ms — a long line that the "
        "pane "
        "wraps at its edge rather than widening the window, as a terminal would",
        "2026-12-05T09:58:00.001Z debug GET /api/status 200 in 2 ms",
    };
    for (int round = 0; round < 3; ++round)
        for (const char* line : lines)
            log += QByteArray(line) + '\n';
    writeFileAt(scene.app.context().logDirectory() + u"/daemon.log"_s, log);
    scene.window.setSelection(MainWindow::Tab::logs);
    bool ok = shooter.save(&scene.window, u"logs"_s);
    scene.window.tabView()->findChild<QLineEdit*>()->setText(u"error"_s);
    ok = ok && shooter.save(&scene.window, u"logs-filtered"_s);
    scene.window.resize(720, 480);
    scene.window.tabView()->findChild<LogTextView*>()->selectAll(); // how a selection looks
    return ok && shooter.save(&scene.window, u"logs-filtered-selected-smallest"_s);
}

// After a run that made an archive, then after one that failed (the Desktop
// is a file); three crash reports; updates never checked. Tall enough to
// show the whole tab, then at the window's usual size.
bool shootSupport(Shooter& shooter)
{
    Scene scene;
    scene.window.setSelection(MainWindow::Tab::support);
    scene.window.resize(820, 1180);
    bool ok = shooter.save(&scene.window, u"support"_s);
    auto* box = scene.window.tabView()->findChild<DiagnosticsBox*>();
    const auto generate = [&] {
        QPushButton* button =
            Widgets::visibleButton(scene.window.tabView(), u"Generate diagnostics"_s);
        if (!button)
            return failed("a Generate diagnostics button");
        QTest::mouseClick(button, Qt::LeftButton);
        if (box->isGenerating())
            shooter.save(box, u"support-generating"_s);
        return waitUntil([&] { return !box->isGenerating(); }) || failed("the run's end");
    };
    ok = ok && generate() && shooter.save(&scene.window, u"support-generated"_s);
    const QString desktop = scene.home.path() + u"/Desktop"_s;
    QDir().rename(desktop, desktop + u".old"_s);
    writeFileAt(desktop, "");
    ok = ok && generate() && shooter.save(&scene.window, u"support-failed"_s);
    scene.window.resize(820, 540);
    return ok && shooter.save(&scene.window, u"support-failed-window"_s);
}

// The update dialog with release notes, then for a critical release; the
// message of a check that found nothing.
bool shootUpdateDialog(Shooter& shooter)
{
    TemporaryHome home;
    TestContext app;
    UpdateCheckFlow flow(app.context().updater().controller(), *app.fakes.workspace, u"2.4"_s);
    platform::AvailableUpdate update;
    update.version = u"250"_s;
    update.displayVersion = u"2.5"_s;
    update.download = QUrl(u"https://zentrope.app/download/Zentrope-2.5.zip"_s);
    update.releaseNotesHtml =
        u"<h3>What’s new in Zentrope 2.5</h3><ul><li>Charts from Excel tables keep their "
        "number formats.</li><li>The daemon starts twice as fast after a restart.</li>"
        "<li>Fixed: the add-in could show “Can’t reach the helper” after sleep.</li></ul>"
        "<p>Read more on <a href=\"https://zentrope.app/releases/2.5\">our site</a>.</p>"_s;
    flow.showFound(update);
    bool ok = flow.shownWindow() && shooter.save(flow.shownWindow(), u"update-dialog"_s);
    update.version = u"251"_s;
    update.displayVersion = u"2.5.1"_s;
    update.critical = true;
    flow.showFound(update);
    ok = ok && flow.shownWindow() && shooter.save(flow.shownWindow(), u"update-dialog-critical"_s);
    flow.checkNow();
    ok = ok && waitUntil([&] { return qobject_cast<QMessageBox*>(flow.shownWindow()); });
    return ok && shooter.save(flow.shownWindow(), u"update-up-to-date"_s);
}

// Crash reports of Zentrope and its daemon in the reports folder of the run.
void writeCrashReports()
{
    const QString folder = CrashReports::reportsDirectory();
    const QDateTime now = QDateTime::currentDateTime();
    const std::pair<const char*, int> reports[] = {{"Zentrope-2026-12-05-095204.ips", 3},
                                                   {"node-2026-12-04-181530.ips", 26},
                                                   {"Zentrope-2026-11-28-080011.crash", 170}};
    for (const auto& [name, hoursAgo] : reports) {
        const QString path = folder + u'/' + QString::fromLatin1(name);
        writeFileAt(path, "Process: node\nIdentifier: com.zentrope.daemon\n");
        QFile file(path);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(now.addSecs(-3600 * hoursAgo), QFileDevice::FileModificationTime);
    }
}

// The tray's panel in each state of the daemon.
bool shootPanel(Shooter& shooter)
{
    TestContext app;
    MenuBarContent panel(app.manager(), {});
    panel.setAttribute(Qt::WA_DeleteOnClose, false);
    panel.show();
    bool ok = shooter.save(&panel, u"panel-stopped"_s);
    const auto starting =
        QObject::connect(&app.manager(), &DaemonManager::statusChanged, &panel,
                         [&](const DaemonManager::Status& status) {
                             if (status.kind() == Kind::starting)
                                 ok = shooter.save(&panel, u"panel-starting"_s) && ok;
                         });
    ok = app.startAndSettle() && ok;
    QObject::disconnect(starting);
    ok = ok && shooter.save(&panel, u"panel-running"_s);
    app.manager().stop();
    ok = ok && waitUntil([&] { return !app.manager().hasChild(); });
    app.setCrashing(true);
    ok = ok && app.startAndSettle();
    return ok && shooter.save(&panel, u"panel-crashed"_s);
}

// The tray icon, running and idle, on a panel of the palette's window colour
// in its text colour (as the tray shows it), at 1× and 2×; and 8× enlarged
// to judge the pixels.
bool shootTrayIcons(Shooter& shooter, const QPalette& palette)
{
    MenuBarIcon icon;
    const QColor ink = palette.color(QPalette::WindowText);
    constexpr int side = 22; // an icon's place in a 24-high tray
    constexpr int gap = 6;
    bool ok = true;
    for (const int scale : {1, 2}) {
        QImage strip(QSize(2 * side + 3 * gap, side + 2 * gap) * scale,
                     QImage::Format_ARGB32_Premultiplied);
        strip.setDevicePixelRatio(scale);
        strip.fill(palette.color(QPalette::Window));
        {
            QPainter painter(&strip);
            int x = gap;
            for (const QImage* mask : {&icon.active(), &icon.idle()}) {
                QIcon tinted(QPixmap::fromImage(MenuBarIcon::tinted(*mask, ink)));
                tinted.setIsMask(true);
                tinted.paint(&painter, QRect(x, gap, side, side));
                x += side + gap;
            }
        }
        const QString name = u"tray-icons-%1x"_s.arg(scale);
        ok = shooter.saveImage(strip, name) && ok;
        QImage zoomed =
            strip.scaled(strip.size() * 8, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        ok = shooter.saveImage(zoomed, name + u"-zoomed"_s) && ok;
    }
    return ok;
}

// The application from the bundle on a real X server with a tray (Xvfb and
// trayer), on its first run (so its window opens), with the panel open: the
// whole screen. Skipped, with a note, where those programs are missing.
bool shootRealTray(const QString& folder)
{
    if (const QString missing = XSession::missingPrograms(); !missing.isEmpty()) {
        std::printf("(no tray-xvfb.png: %s missing)\n", qPrintable(missing));
        return true;
    }
    XSession desktop;
    if (!desktop.start())
        return failed(qPrintable(desktop.error()));
    TemporaryHome home;
    writeFileAt(home.path() + u"/.config/Zentrope/Zentrope.conf"_s,
                "[General]\nSUEnableAutomaticChecks=false\n");
    QProcessEnvironment environment = desktop.environment(QProcessEnvironment::systemEnvironment());
    environment.insert(u"ZENTROPE_DAEMON_PORT"_s, u"0"_s);
    environment.remove(u"QT_SCALE_FACTOR"_s); // ours, for the offscreen pictures
    environment.insert(u"XDG_CONFIG_HOME"_s, home.path() + u"/.config"_s);
    QProcess app;
    app.setProcessEnvironment(environment);
    app.start(QStringLiteral(ZENTROPE_APP_DIR "/Contents/MacOS/Zentrope"), {});
    const qint64 pid = app.processId();
    bool ok =
        waitUntil([&] { return desktop.trayIconOf(pid) && !desktop.topLevelsOf(pid).isEmpty(); }) ||
        failed("the tray icon and the first run's window");
    for (int attempt = 0; ok && attempt < 3 && desktop.topLevelsOf(pid).size() < 2; ++attempt) {
        desktop.click(desktop.trayIconOf(pid)->geometry.center());
        waitUntil([&] { return desktop.topLevelsOf(pid).size() == 2; }, std::chrono::seconds(3));
    }
    ok = ok && (desktop.topLevelsOf(pid).size() == 2 || failed("the panel on the real tray"));
    const QString path = folder + u"/tray-xvfb.png"_s;
    ok = ok &&
         (desktop.saveScreen(path) || failed("a picture of the screen (ImageMagick's import)"));
    if (ok)
        std::printf("%s\n", qPrintable(path));
    app.terminate();
    app.waitForFinished(10000);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    prepareTestEnvironment(home);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    QApplication::setStyle(u"Fusion"_s);

    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral(ZENTROPE_SOURCE_DIR "/build/screenshots");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "could not create %s\n", qPrintable(folder));
        return 1;
    }
    bool ok = true;
    writeCrashReports(); // in this run's home: the folder is found once per process
    const QList<std::pair<QString, QPalette>> palettes{
        {u"light"_s, QApplication::style()->standardPalette()},
        {u"dark"_s, Widgets::darkPalette()}};
    for (const auto& [name, palette] : palettes) {
        QApplication::setPalette(palette);
        Shooter shooter(folder, name);
        ok = shootSymbols(shooter) && ok;
        ok = shootDaemonStates(shooter) && ok;
        ok = shootAnswers(shooter) && ok;
        ok = shootAddIn(shooter) && ok;
        ok = shootLogs(shooter) && ok;
        ok = shootSupport(shooter) && ok;
        ok = shootUpdateDialog(shooter) && ok;
        ok = shootPanel(shooter) && ok;
        ok = shootTrayIcons(shooter, palette) && ok;
    }
    ok = shootRealTray(folder) && ok;
    return ok ? 0 : 1;
}
