#pragma once

#include "cli/Command.h"

class DaemonChannel;

// `zentropectl status [--json | --watch]`: asks the running daemon for its
// status once and prints it as the status tab shows it, or as a JSON object;
// with --watch, polls as the status tab does and prints each change until
// interrupted.
class StatusCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("status"); }
    QString summary() const override
    {
        return QStringLiteral("Ask the running daemon for its status and print it.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;

private:
    static int printOnce(DaemonChannel& channel, bool json, Console& console);
    static int watch(DaemonChannel& channel, Console& console);
};
