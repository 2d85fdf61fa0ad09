#pragma once

#include "app/AppDelegate.h"
#include "app/CrashNotifier.h"
#include "core/base/SingleInstance.h"
#include "core/daemon/CrashAlerts.h"
#include "platform/UpdaterController.h"
#include "ui/FileDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuBarExtra.h"
#include "ui/MenuBarIcon.h"
#include "ui/TabViews.h"
#include "ui/UpdateCheckFlow.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

class ApplicationContext;

// The application: its place in the tray (icon and panel) and its one main
// window, over the application context, with the delegate's launch and quit.
// The window is made when it is opened and destroyed when it is closed, so a
// closed window keeps no tab, timer or request alive (and each opening starts
// at the status tab); the application and the daemon go on running.
class ZentropeApp : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        // The desktop has a tray for our icon. Without one, the window opens
        // at every launch and offers quitting in its own menu.
        bool systemTray = true;
    };

    // How this launch relates to another one of the same user's.
    struct InstanceClaim
    {
        std::unique_ptr<SingleInstance> instance; // ours to answer later launches; may be null
        std::optional<int> exitCode;              // set: this launch ends here, with it
    };

    // `instance`, when given, brings the window forward for later launches.
    ZentropeApp(ApplicationContext& context, Options options, SingleInstance* instance = nullptr,
                QObject* parent = nullptr);
    ~ZentropeApp() override;

    // Names the application; before anything else is made.
    static void describe();
    // Becomes this user's one instance, or asks the running one to show its
    // window (this launch then ends with 0, or 1 if it did not answer). When
    // no lock can be had at all, runs anyway rather than not at all.
    static InstanceClaim claimInstance();

    // The launch: the delegate's sequence, then the tray icon with the
    // first-run flow, or without a tray the main window.
    void launch();
    // Shows, raises and activates the one main window, made when needed.
    void openMainWindow();
    // Quits in order: the daemon is asked to stop, then the event loop ends.
    void quit();

    MainWindow* mainWindow() const { return m_window; }
    // Null without a tray.
    MenuBarExtra* menuBarExtra() const { return m_menuBarExtra.get(); }

Q_SIGNALS:
    // quit() has asked the event loop to end.
    void quitting();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectUpdates();
    void showCrashFallback(const QString& title, const QString& body);
    void addQuitAction(MainWindow* window);

    ApplicationContext& m_context;
    const Options m_options;
    AppDelegate m_delegate;
    FileDialog m_fileDialog;
    // The panel's "Check for updates…", the support tab's button and the
    // scheduled checks all show their answers through this one flow.
    UpdateCheckFlow m_updates;
    TabViews m_views;
    MenuBarIcon m_icon;
    std::unique_ptr<MenuBarExtra> m_menuBarExtra;
    QPointer<MainWindow> m_window;
    QByteArray m_windowGeometry; // of the last window closed, for the next one
    CrashAlerts m_crashAlerts;
    CrashNotifier m_crashNotifier;
};
