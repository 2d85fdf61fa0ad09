// The Zentrope application: its tray icon and main window over the daemon's supervisor.
#include "app/ZentropeApp.h"
#include "core/base/Bundle.h"
#include "core/base/HomeFolder.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"
#include "platform/Services.h"

#include <QApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>

int main(int argc, char* argv[])
{
    SignalWatcher::ignoreSignalsOfFailedWrites();
    // A desktop may start us with an empty or broken HOME that the user never
    // sees: then the password database's home is taken (and becomes HOME for
    // Qt and the daemon too), before anything reads it.
    const Result<QString> home = HomeFolder::useEnvironmentOrPasswordDatabase();
    QApplication application(argc, argv);
    ZentropeApp::describe();
    if (!home) {
        QMessageBox::critical(nullptr, QApplication::tr("Zentrope"),
                              QApplication::tr("Zentrope can’t find your home folder: %1")
                                  .arg(home.error().description));
        return 1;
    }
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
