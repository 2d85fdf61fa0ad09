#include "app/ZentropeApp.h"

#include "core/context/ApplicationContext.h"
#include "core/setup/FirstRunFlow.h"
#include "ui/AppIcon.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <cstdio>

ZentropeApp::ZentropeApp(ApplicationContext& context, Options options, SingleInstance* instance,
                         QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_options(options)
    , m_delegate(context)
    , m_updates(context.updater().controller(), *context.services().workspace,
                UpdateCheckFlow::currentVersion(context.bundle()))
    , m_views(context, m_fileDialog, &m_updates)
    , m_crashAlerts(context.daemonManager(), context.defaults())
    , m_crashNotifier(
          m_crashAlerts, *context.services().notifications, [this] { openMainWindow(); },
          [this](const QString& title, const QString& body) { showCrashFallback(title, body); })
{
    QApplication::setQuitOnLastWindowClosed(AppDelegate::shouldTerminateAfterLastWindowClosed);
    // However the application is asked to quit (the session ending, say).
    connect(qApp, &QCoreApplication::aboutToQuit, this,
            [this] { m_delegate.applicationWillTerminate(); });
    if (instance)
        connect(instance, &SingleInstance::showRequested, this, &ZentropeApp::openMainWindow);
    if (m_options.systemTray) {
        MenuBarContent::Actions actions{[this] { openMainWindow(); },
                                        [this] { m_updates.checkNow(); }, [this] { quit(); }};
        m_menuBarExtra =
            std::make_unique<MenuBarExtra>(context.daemonManager(), m_icon, std::move(actions));
        connect(m_menuBarExtra.get(), &MenuBarExtra::messageClicked, this,
                &ZentropeApp::openMainWindow);
    }
}

ZentropeApp::~ZentropeApp()
{
    delete m_window;
}

void ZentropeApp::describe()
{
    QApplication::setApplicationName(QStringLiteral("Zentrope"));
    QApplication::setOrganizationName(QStringLiteral("Zentrope"));
    QApplication::setApplicationVersion(QStringLiteral(ZENTROPE_VERSION));
    // Our .desktop file, which the desktop matches windows and notifications with.
    QGuiApplication::setDesktopFileName(QStringLiteral("zentrope"));
}

ZentropeApp::InstanceClaim ZentropeApp::claimInstance()
{
    InstanceClaim claim;
    const Result<QString> folder = SingleInstance::defaultFolder();
    if (!folder) {
        std::fprintf(stderr, "Zentrope: cannot tell whether Zentrope already runs: %s\n",
                     qPrintable(folder.error().description));
        return claim;
    }
    claim.instance = std::make_unique<SingleInstance>(folder.value());
    const Result<SingleInstance::Role> role = claim.instance->claim();
    if (role && role.value() == SingleInstance::Role::first)
        return claim;
    if (role) {
        claim.exitCode = 0; // the running one shows its window
    } else if (role.error().domain == QStringLiteral("SingleInstance")) {
        std::fprintf(stderr, "%s\n", qPrintable(role.error().description));
        claim.exitCode = 1;
    } else { // no lock to be had: better two than none
        std::fprintf(stderr, "Zentrope: cannot tell whether Zentrope already runs: %s\n",
                     qPrintable(role.error().description));
    }
    claim.instance.reset();
    return claim;
}

void ZentropeApp::launch()
{
    m_delegate.applicationDidFinishLaunching();
    connectUpdates();
    if (!m_menuBarExtra) {
        // The window is the only way in.
        openMainWindow();
        return;
    }
    m_menuBarExtra->show();
    if (FirstRunFlow::claim(m_context.defaults()))
        openMainWindow();
}

void ZentropeApp::openMainWindow()
{
    if (!m_window) {
        m_window = new MainWindow(m_context.daemonManager(), m_views);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setWindowIcon(AppIcon::icon(m_icon.mark()));
        m_window->installEventFilter(this);
        if (!m_windowGeometry.isEmpty())
            m_window->restoreGeometry(m_windowGeometry);
        addQuitAction(m_window);
    }
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ZentropeApp::addQuitAction(MainWindow* window)
{
    auto* quitAction = new QAction(tr("Quit Zentrope"), window);
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quitAction->setShortcutContext(Qt::WindowShortcut);
    connect(quitAction, &QAction::triggered, this, &ZentropeApp::quit);
    window->addAction(quitAction);
    // Without the tray's panel, the window's own menu is where quitting is found.
    if (!m_menuBarExtra)
        window->menuBar()->addMenu(tr("Zentrope"))->addAction(quitAction);
}

bool ZentropeApp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Close)
        m_windowGeometry = m_window->saveGeometry();
    return QObject::eventFilter(watched, event);
}

void ZentropeApp::quit()
{
    m_delegate.applicationWillTerminate();
    Q_EMIT quitting();
    QCoreApplication::quit();
}

void ZentropeApp::showCrashFallback(const QString& title, const QString& body)
{
    if (m_menuBarExtra && QSystemTrayIcon::supportsMessages()) {
        m_menuBarExtra->showMessage(title, body);
        return;
    }
    // Nothing else to tell the user with: the window shows the crash.
    openMainWindow();
}

// Scheduled checks stay silent unless they find something.
void ZentropeApp::connectUpdates()
{
    m_context.updater().controller().setUpdateFoundHandler(
        [this](const platform::AvailableUpdate& update) { m_updates.showFound(update); });
}
