#pragma once

#include "cli/Command.h"

// `zentropectl status [--json]`: asks the running daemon for its status once
// and prints it as the status tab shows it, or as a JSON object.
class StatusCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("status"); }
    QString summary() const override
    {
        return QStringLiteral("Ask the running daemon for its status and print it.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;
};
