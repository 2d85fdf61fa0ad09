#pragma once

#include "cli/Command.h"

class Updater;
class UserDefaults;

// `zentropectl update check`: a user-initiated update check, printing what it found.
// `zentropectl update beta [on|off]`: shows or sets whether beta releases are offered.
class UpdateCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("update"); }
    QString summary() const override
    {
        return QStringLiteral("Check for updates, or show or set the beta channel.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;

private:
    static int check(Updater& updater, Console& console);
    static int beta(const QString& setting, UserDefaults& defaults, Console& console);
};
