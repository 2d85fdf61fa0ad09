#include "cli/LoginItemCommand.h"

#include "cli/Console.h"
#include "core/setup/LaunchAtLogin.h"
#include "platform/Services.h"

#include <QCommandLineParser>

int LoginItemCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("on|off"),
                                 QStringLiteral("Turn starting at login on or off."));
    if (const int exit = parse(parser, arguments); exit >= 0)
        return exit;
    const QStringList words = parser.positionalArguments();
    if (words.size() > 1 || (words.size() == 1 && words[0] != u"on" && words[0] != u"off")) {
        Console::usageError(QStringLiteral("login-item takes 'on' or 'off', or nothing"));
        return exitUsage;
    }

    const platform::Services services = platform::nativeServices();
    platform::LoginItem& loginItem = *services.loginItem;
    if (!words.isEmpty()) {
        const Result<Done> changed = LaunchAtLogin::set(loginItem, words[0] == u"on");
        if (!changed) {
            Console::err(changed.error().localizedDescription());
            return exitFailure;
        }
    }
    Console::out(statusText(loginItem.status()));
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
