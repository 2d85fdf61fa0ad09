#pragma once

#include "cli/Command.h"
#include "core/office/OfficeHost.h"

#include <optional>

class Bundle;
namespace platform {
class Workspace;
}

// `zentropectl sideload [status|install|remove]`: the add-in tab's host
// rows and buttons, with the tab's own message lines. Messages go to
// standard output, errors to standard error; exit 1 when a step failed.
class SideloadCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("sideload"); }
    QString summary() const override
    {
        return QStringLiteral("Show, install or remove the add-in in Word, Excel and PowerPoint.");
    }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;

private:
    static int status(bool json, platform::Workspace& workspace, Console& console);
    static int install(std::optional<OfficeHost> host, const QString& manifestOption,
                       const Bundle& bundle, Console& console);
    static int remove(std::optional<OfficeHost> host, Console& console);
};
