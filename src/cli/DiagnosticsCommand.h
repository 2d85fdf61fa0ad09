#pragma once

#include "cli/Command.h"

// `zentropectl diagnostics`: writes the diagnostics archive to the Desktop
// and prints its path and size.
class DiagnosticsCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("diagnostics"); }
    QString summary() const override
    {
        return QStringLiteral("Write a diagnostics zip for support to the Desktop.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;
};
