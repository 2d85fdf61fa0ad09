#pragma once

#include "cli/Command.h"

#include <chrono>

class LogsModel;

// `zentropectl logs [--errors] [--follow] [--filter TEXT]`: prints the tail of
// the daemon's log as the logs tab shows it; with --follow, keeps printing
// what is appended, like `tail -F`, until interrupted. A log the daemon has
// not written yet is no error: it is named on standard error, and followed
// once it appears.
class LogsCommand final : public Command
{
public:
    // How often a log that cannot be followed yet is looked for, as `tail -F` does.
    static constexpr std::chrono::seconds retryInterval{1};

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
