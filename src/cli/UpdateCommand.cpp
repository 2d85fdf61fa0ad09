#include "cli/UpdateCommand.h"

#include "cli/Console.h"
#include "core/updates/Updater.h"
#include "platform/Services.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// What the update dialog shows; the texts arrive free of control characters.
void printUpdate(const platform::AvailableUpdate& update)
{
    const QUrl address = update.informational ? update.infoLink : update.download;
    Console::out(QStringLiteral("Zentrope %1 is available: %2")
                     .arg(update.displayVersion, address.toString(QUrl::FullyEncoded)));
    if (update.critical)
        Console::out(QStringLiteral("This is a critical update."));
    if (update.informational)
        Console::out(QStringLiteral("This update is informational: there is nothing to download."));
    const QString notes = !update.releaseNotesLink.isEmpty()
                              ? update.releaseNotesLink.toString(QUrl::FullyEncoded)
                              : update.releaseNotesText.section(u'\n', 0, 0);
    if (!notes.isEmpty())
        Console::out(QStringLiteral("Release notes: %1").arg(notes));
}

int report(const Result<platform::UpdateCheck>& result)
{
    if (!result) {
        Console::err(result.error().localizedDescription());
        return exitFailure;
    }
    if (const auto& update = result.value().update) {
        printUpdate(*update);
    } else {
        Console::out(QStringLiteral("Zentrope is up to date."));
    }
    return exitSuccess;
}

} // namespace

int UpdateCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("action"),
                                 QStringLiteral("'check', or 'beta' with 'on' or 'off' to set it."),
                                 QStringLiteral("check | beta [on|off]"));
    if (const int exit = parse(parser, arguments); exit >= 0)
        return exit;
    const QStringList words = parser.positionalArguments();
    if (words == QStringList{QStringLiteral("check")})
        return check();
    if (words.value(0) == u"beta" && words.size() <= 2)
        return beta(words.value(1));
    Console::usageError(QStringLiteral("update needs 'check' or 'beta [on|off]'"));
    return exitUsage;
}

int UpdateCommand::check()
{
    const platform::Services services = platform::nativeServices();
    platform::UpdaterController& controller =
        Updater::shared(*services.updateFramework).controller();
    std::optional<int> exit;
    QObject context;
    controller.checkForUpdates().then(&context,
                                      [&exit](const Result<platform::UpdateCheck>& result) {
                                          exit = report(result);
                                          QCoreApplication::exit(*exit);
                                      });
    // A check that failed before reaching the network has answered already.
    if (!exit)
        QCoreApplication::exec();
    return exit.value_or(exitFailure);
}

int UpdateCommand::beta(const QString& setting)
{
    UserDefaults defaults = UserDefaults::standard();
    if (!setting.isEmpty()) {
        if (setting != u"on" && setting != u"off") {
            Console::usageError(
                QStringLiteral("update beta takes 'on' or 'off', not '%1'").arg(setting));
            return exitUsage;
        }
        defaults.setBool(ChannelDelegate::betaChannelEnabledKey, setting == u"on");
        if (!defaults.sync()) {
            Console::err(
                QStringLiteral("Could not save the setting in %1.").arg(defaults.filePath()));
            return exitFailure;
        }
    }
    Console::out(defaults.boolValue(ChannelDelegate::betaChannelEnabledKey)
                     ? QStringLiteral("Beta updates are on.")
                     : QStringLiteral("Beta updates are off."));
    return exitSuccess;
}
