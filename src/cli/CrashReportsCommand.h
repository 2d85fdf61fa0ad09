#pragma once

#include "cli/Command.h"

// `zentropectl crash-reports [--limit N]`: the newest crash reports that
// concern Zentrope, one line each: modification time, then path.
class CrashReportsCommand final : public Command
{
public:
    static constexpr int defaultLimit = 25;

    QString name() const override { return QStringLiteral("crash-reports"); }
    QString summary() const override
    {
        return QStringLiteral("List recent crash reports that mention Zentrope.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;
};
