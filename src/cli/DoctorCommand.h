#pragma once

#include "cli/Command.h"
#include "core/setup/SetupCheck.h"

// `zentropectl doctor [--json]`: checks the machine's setup for the add-in
// (the localhost certificate, the add-in in Office, the Accessibility
// permission) and exits 0 only when everything is in order.
class DoctorCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("doctor"); }
    QString summary() const override
    {
        return QStringLiteral("Check the certificate, the add-in and the permission.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;

    // The six flags as a JSON object, in their declared order.
    static QString json(const SetupCheck::State& state);
};
