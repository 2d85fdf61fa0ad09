// The Zentrope application: its tray icon and main window over the daemon's supervisor.
#include "app/ZentropeApp.h"
#include "core/base/Bundle.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"
#include "platform/Services.h"

#include <QApplication>
#include <QSystemTrayIcon>

int main(int argc, char* argv[])
{
    SignalWatcher::ignoreBrokenPipes();
    QApplication application(argc, argv);
    ZentropeApp::describe();
    ZentropeApp::InstanceClaim claim = ZentropeApp::claimInstance();
    if (claim.exitCode)
        return *claim.exitCode;

    const Bundle bundle = Bundle::main();
    // Declared before the application it serves, so it goes after it: the
    // context stops the daemon first as it ends, while QApplication exists.
    ApplicationContext context(platform::nativeServices(bundle), UserDefaults::standard(), bundle);
    ZentropeApp app(context, {QSystemTrayIcon::isSystemTrayAvailable()}, claim.instance.get());

    // Ctrl-C, a polite kill or a hang-up quits in order, as quitting from the panel does.
    SignalWatcher quitSignals;
    QObject::connect(&quitSignals, &SignalWatcher::interrupted, &app, &ZentropeApp::quit);

    app.launch();
    return QApplication::exec();
}
