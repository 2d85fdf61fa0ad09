#pragma once

#include "cli/Command.h"

// `zentropectl flush-caches`: deletes the Office add-in caches now, whatever
// the version, and names the hosts flushed.
class FlushCachesCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("flush-caches"); }
    QString summary() const override
    {
        return QStringLiteral("Delete the Office add-in caches of every installed host.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;
};
