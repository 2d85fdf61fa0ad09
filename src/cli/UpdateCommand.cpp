#include "cli/UpdateCommand.h"

#include "cli/Console.h"
#include "cli/FutureWait.h"
#include "core/base/ControlCharacters.h"
#include "core/context/ApplicationContext.h"

#include <QCommandLineParser>

namespace {

// What the update dialog shows. The feed's words are one field each, kept on
// their line whatever the feed put in them.
void printUpdate(const platform::AvailableUpdate& update, Console& console)
{
    const QUrl address = update.informational ? update.infoLink : update.download;
    console.out(QStringLiteral("Zentrope %1 is available: %2")
                    .arg(ControlCharacters::escaped(update.displayVersion),
                         address.toString(QUrl::FullyEncoded)));
    if (update.critical)
        console.out(QStringLiteral("This is a critical update."));
    if (update.informational)
        console.out(QStringLiteral("This update is informational: there is nothing to download."));
    const QString notes = !update.releaseNotesLink.isEmpty()
                              ? update.releaseNotesLink.toString(QUrl::FullyEncoded)
                              : update.releaseNotesText.section(u'\n', 0, 0);
    if (!notes.isEmpty())
        console.out(QStringLiteral("Release notes: %1").arg(ControlCharacters::escaped(notes)));
}

int report(const Result<platform::UpdateCheck>& result, Console& console)
{
    if (!result) {
        console.err(result.error().localizedDescription());
        return exitFailure;
    }
    if (const auto& update = result.value().update) {
        printUpdate(*update, console);
    } else {
        console.out(QStringLiteral("Zentrope is up to date."));
    }
    return exitSuccess;
}

} // namespace

int UpdateCommand::run(const QStringList& arguments, ApplicationContext& context, Console& console)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("action"),
                                 QStringLiteral("'check', or 'beta' with 'on' or 'off' to set it."),
                                 QStringLiteral("check | beta [on|off]"));
    if (const int exit = parse(parser, arguments, console); exit >= 0)
        return exit;
    const QStringList words = parser.positionalArguments();
    if (words == QStringList{QStringLiteral("check")})
        return check(context.updater(), console);
    if (words.value(0) == u"beta" && words.size() <= 2)
        return beta(words.value(1), context.defaults(), console);
    console.usageError(QStringLiteral("update needs 'check' or 'beta [on|off]'"));
    return exitUsage;
}

int UpdateCommand::check(Updater& updater, Console& console)
{
    const auto result = waitForFuture(updater.controller().checkForUpdates());
    if (!result) {
        console.err(QStringLiteral("The update check was cancelled."));
        return exitFailure;
    }
    return report(*result, console);
}

int UpdateCommand::beta(const QString& setting, UserDefaults& defaults, Console& console)
{
    if (!setting.isEmpty()) {
        if (setting != u"on" && setting != u"off") {
            console.usageError(
                QStringLiteral("update beta takes 'on' or 'off', not '%1'").arg(setting));
            return exitUsage;
        }
        defaults.setValue(DefaultsKeys::betaChannelEnabled, setting == u"on");
        if (!defaults.sync()) {
            console.err(
                QStringLiteral("Could not save the setting in %1.").arg(defaults.filePath()));
            return exitFailure;
        }
    }
    console.out(defaults.value(DefaultsKeys::betaChannelEnabled)
                    ? QStringLiteral("Beta updates are on.")
                    : QStringLiteral("Beta updates are off."));
    return exitSuccess;
}
