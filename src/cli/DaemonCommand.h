#pragma once

#include "cli/Command.h"

// `zentropectl daemon`: runs the supervisor in the foreground and prints each
// status label as it changes, until the daemon ends or we are interrupted.
class DaemonCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("daemon"); }
    QString summary() const override
    {
        return QStringLiteral("Run the daemon in the foreground and print its status changes.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;
};
