#include "platform/linux/LinuxAccessibility.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

struct SettingsPage
{
    const char16_t* desktop;
    QStringList command; // program, then its arguments
};

const QList<SettingsPage>& settingsPages()
{
    static const QList<SettingsPage> pages = {
        {u"GNOME", {QStringLiteral("gnome-control-center"), QStringLiteral("universal-access")}},
        {u"Unity", {QStringLiteral("gnome-control-center"), QStringLiteral("universal-access")}},
        {u"KDE", {QStringLiteral("systemsettings"), QStringLiteral("kcm_access")}},
        {u"KDE", {QStringLiteral("systemsettings5"), QStringLiteral("kcm_access")}},
        {u"X-Cinnamon", {QStringLiteral("cinnamon-settings"), QStringLiteral("universal-access")}},
        {u"XFCE", {QStringLiteral("xfce4-accessibility-settings")}},
        {u"MATE", {QStringLiteral("mate-at-properties")}},
    };
    return pages;
}

} // namespace

void LinuxAccessibility::openSettings()
{
    const auto command = settingsCommand(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    if (command)
        QProcess::startDetached(command->first(), command->mid(1));
}

std::optional<QStringList> LinuxAccessibility::settingsCommand(const QString& currentDesktops)
{
    for (const QString& desktop : currentDesktops.split(u':', Qt::SkipEmptyParts)) {
        for (const SettingsPage& page : settingsPages()) {
            if (desktop.compare(page.desktop, Qt::CaseInsensitive) != 0)
                continue;
            const QString program = QStandardPaths::findExecutable(page.command.first());
            if (!program.isEmpty())
                return QStringList{program} + page.command.mid(1);
        }
    }
    return std::nullopt;
}

} // namespace platform
