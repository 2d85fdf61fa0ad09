// The Zentrope application: the main window over the daemon's supervisor.
#include "core/base/Bundle.h"
#include "core/base/HomeFolder.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"
#include "core/daemon/DaemonManager.h"
#include "platform/Services.h"
#include "ui/FileDialog.h"
#include "ui/MainWindow.h"
#include "ui/TabViews.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    SignalWatcher::ignoreBrokenPipes();
    // A desktop may start us with an empty or broken HOME that the user never
    // sees: then the password database's home is taken (and becomes HOME for
    // Qt and the daemon too), before anything reads it.
    const Result<QString> home = HomeFolder::useEnvironmentOrPasswordDatabase();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentrope"));
    QApplication::setOrganizationName(QStringLiteral("Zentrope"));
    QApplication::setApplicationVersion(QStringLiteral(ZENTROPE_VERSION));
    if (!home) {
        QMessageBox::critical(nullptr, QApplication::tr("Zentrope"),
                              QApplication::tr("Zentrope can’t find your home folder: %1")
                                  .arg(home.error().description));
        return 1;
    }

    const Bundle bundle = Bundle::main();
    ApplicationContext context(platform::nativeServices(bundle), UserDefaults::standard(), bundle);
    DaemonManager& daemon = context.daemonManager();
    FileDialog fileDialog;
    const TabViews views(context, fileDialog);

    // Ctrl-C, a polite kill or a hang-up quits in order: the daemon is stopped below.
    SignalWatcher quitSignals;
    QObject::connect(&quitSignals, &SignalWatcher::interrupted, &app, &QApplication::quit);

    MainWindow window(daemon, views);
    window.show();
    daemon.start();
    const int exit = QApplication::exec();
    // The context stops the daemon first as it ends, before the application object.
    return exit;
}
