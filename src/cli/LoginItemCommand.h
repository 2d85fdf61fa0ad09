#pragma once

#include "cli/Command.h"
#include "platform/LoginItem.h"

// `zentropectl login-item [on|off]`: shows whether Zentrope starts at login,
// or turns that on or off and shows the status that results.
class LoginItemCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("login-item"); }
    QString summary() const override
    {
        return QStringLiteral("Show, or turn on or off, starting Zentrope at login.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;

    static QString statusText(platform::LoginItem::Status status);
};
