#include "platform/linux/XdgOpen.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

Error workspaceError(int code, const QString& description)
{
    return Error{QStringLiteral("Workspace"), code, description};
}

} // namespace

Result<Done> XdgOpen::open(const QUrl& url)
{
    if (!url.isValid() || url.scheme().isEmpty())
        return workspaceError(1, QStringLiteral("Not an address: “%1”").arg(url.toString()));
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (program.isEmpty())
        return workspaceError(2, QStringLiteral("Could not open “%1”: xdg-open is not installed.")
                                     .arg(url.toDisplayString()));
    // Detached: xdg-open may wait for the application it starts.
    if (!QProcess::startDetached(program, {url.toString(QUrl::FullyEncoded)}))
        return workspaceError(3, QStringLiteral("Could not open “%1”: xdg-open did not start.")
                                     .arg(url.toDisplayString()));
    return Done{};
}

} // namespace platform
