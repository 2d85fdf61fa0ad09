#pragma once

#include "cli/Command.h"

// `zentropectl quit-hosts`: asks running Word, Excel and PowerPoint to quit,
// so that they load the add-in afresh at their next start. Does not wait.
class QuitHostsCommand final : public Command
{
public:
    QString name() const override { return QStringLiteral("quit-hosts"); }
    QString summary() const override { return QStringLiteral("Ask running Office hosts to quit."); }
    int run(const QStringList& arguments, ApplicationContext& context, Console& console) override;
};
