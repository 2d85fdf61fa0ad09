#pragma once

#include "cli/Command.h"

class LogsModel;

// `zentropectl logs [--errors] [--follow] [--filter TEXT]`: prints the tail of
// the daemon's log as the logs tab shows it; with --follow, keeps printing
// what is appended, like `tail -F`, until interrupted.
class LogsCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("logs"); }
    QString summary() const override
    {
        return QStringLiteral("Print the daemon's log, or follow it as it grows.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;

private:
    static int print(LogsModel& model, Console& console);
    static int follow(LogsModel& model, Console& console);
};
