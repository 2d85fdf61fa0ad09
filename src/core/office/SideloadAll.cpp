#include "core/office/SideloadAll.h"

#include "core/office/SideloadMessages.h"

namespace SideloadAll {

namespace {

using Kind = Sideloader::Outcome::Kind;

Report reported(QList<Sideloader::HostOutcome> outcomes, Kind done, const QString& donePrefix,
                const QString& nothingToDo, QString (*actionFor)(OfficeHost))
{
    QStringList names;
    QStringList errors;
    for (const Sideloader::HostOutcome& each : outcomes) {
        if (each.outcome.kind() == done)
            names.append(each.host.displayName());
        else if (each.outcome.kind() == Kind::failed)
            errors.append(SideloadMessages::forOutcome(each.outcome, actionFor(each.host)).text);
    }
    std::optional<QString> message;
    if (!names.isEmpty())
        message = donePrefix + names.join(QStringLiteral(", "));
    else if (errors.isEmpty())
        message = nothingToDo;
    return Report{std::move(outcomes), std::move(message), std::move(errors)};
}

} // namespace

Report install(const QString& source)
{
    return installReport(Sideloader::installAll(source));
}

Report remove()
{
    return removeReport(Sideloader::removeAll());
}

Report installReport(QList<Sideloader::HostOutcome> outcomes)
{
    return reported(std::move(outcomes), Kind::copied, QStringLiteral("Installed into: "),
                    QStringLiteral("No Office hosts installed."), SideloadMessages::installAction);
}

Report removeReport(QList<Sideloader::HostOutcome> outcomes)
{
    return reported(std::move(outcomes), Kind::removed, QStringLiteral("Removed from: "),
                    QStringLiteral("Nothing to remove."), SideloadMessages::removeAction);
}

} // namespace SideloadAll
