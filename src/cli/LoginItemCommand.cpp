#include "cli/LoginItemCommand.h"

#include "cli/Console.h"
#include "core/context/ApplicationContext.h"
#include "core/setup/LaunchAtLogin.h"

#include <QCommandLineParser>

int LoginItemCommand::run(const QStringList& arguments, ApplicationContext& context,
                          Console& console)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("on|off"),
                                 QStringLiteral("Turn starting at login on or off."));
    if (const int exit = parse(parser, arguments, console); exit >= 0)
        return exit;
    const QStringList words = parser.positionalArguments();
    if (words.size() > 1 || (words.size() == 1 && words[0] != u"on" && words[0] != u"off")) {
        console.usageError(QStringLiteral("login-item takes 'on' or 'off', or nothing"));
        return exitUsage;
    }

    platform::LoginItem& loginItem = *context.services().loginItem;
    if (!words.isEmpty()) {
        const Result<Done> changed = LaunchAtLogin::set(loginItem, words[0] == u"on");
        if (!changed) {
            console.err(changed.error().localizedDescription());
            return exitFailure;
        }
    }
    console.out(statusText(loginItem.status()));
    return exitSuccess;
}

QString LoginItemCommand::statusText(platform::LoginItem::Status status)
{
    switch (status) {
    case platform::LoginItem::Status::notRegistered:
        return QStringLiteral("not registered");
    case platform::LoginItem::Status::enabled:
        return QStringLiteral("enabled");
    case platform::LoginItem::Status::requiresApproval:
        return QStringLiteral("requires approval");
    case platform::LoginItem::Status::notFound:
        return QStringLiteral("not found");
    }
    return QStringLiteral("unknown");
}
