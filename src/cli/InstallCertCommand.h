#pragma once

#include "cli/Command.h"

// `zentropectl install-cert`: runs the bundle's certificate installer, prints
// what it said and whether it succeeded.
class InstallCertCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("install-cert"); }
    QString summary() const override
    {
        return QStringLiteral("Install and trust the daemon's localhost TLS certificate.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;
};
