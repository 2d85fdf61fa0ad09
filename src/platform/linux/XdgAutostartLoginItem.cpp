#include "platform/linux/XdgAutostartLoginItem.h"

#include "platform/linux/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

namespace {

const QString errorDomain = QStringLiteral("LoginItem");

Error failure(const QString& description)
{
    return Error{errorDomain, 1, description};
}

} // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(Bundle bundle)
    : m_bundle(std::move(bundle))
{}

QString XdgAutostartLoginItem::entryPath()
{
    // A relative XDG_CONFIG_HOME is to be ignored, as desktops do.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/autostart/zentrope.desktop");
}

QString XdgAutostartLoginItem::executablePath() const
{
    return m_bundle.path() + QStringLiteral("/Contents/MacOS/Zentrope");
}

bool XdgAutostartLoginItem::executableExists() const
{
    const QFileInfo executable(executablePath());
    return executable.isFile() && executable.isExecutable();
}

LoginItem::Status XdgAutostartLoginItem::status()
{
    if (!executableExists())
        return Status::notFound;
    // Desktops start only regular files: a folder (or a FIFO, which would
    // also block the read) by the entry's name starts nothing.
    if (!QFileInfo(entryPath()).isFile())
        return Status::notRegistered;
    QFile entry(entryPath());
    // An entry we cannot read is still there and still started.
    if (!entry.open(QIODevice::ReadOnly))
        return Status::enabled;
    const auto keys = DesktopEntry::mainGroup(entry.readAll());
    const bool turnedOff =
        DesktopEntry::isTrue(keys.value(QStringLiteral("Hidden"))) ||
        DesktopEntry::isFalse(keys.value(QStringLiteral("X-GNOME-Autostart-enabled")));
    return turnedOff ? Status::requiresApproval : Status::enabled;
}

Result<Done> XdgAutostartLoginItem::registerItem()
{
    if (!executableExists()) {
        return Error{errorDomain, int(Status::notFound),
                     QStringLiteral("The Zentrope application was not found at “%1”.")
                         .arg(executablePath())};
    }
    if (executablePath().contains(u'\n') || executablePath().contains(u'\r'))
        return failure(QStringLiteral("Zentrope cannot start at login from a folder whose name "
                                      "holds a line break."));
    const QString path = entryPath();
    // A link by the entry's name is replaced, not written through: its
    // target may be anywhere, and is no file of ours.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return failure(QStringLiteral("Could not replace the link “%1”.").arg(path));
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return failure(QStringLiteral("“%1” is in the way: it is not an autostart entry but a "
                                      "%2. Remove it and try again.")
                           .arg(path, existing.isDir() ? QStringLiteral("folder")
                                                       : QStringLiteral("special file")));
    const QString folder = existing.absolutePath();
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("Could not create the folder “%1”.").arg(folder));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entryContent()) < 0 || !file.commit())
        return failure(QStringLiteral("Could not write “%1”: %2").arg(path, file.errorString()));
    return Done{};
}

Result<Done> XdgAutostartLoginItem::unregisterItem()
{
    QFile entry(entryPath());
    // What is not a regular file is no entry of ours, and no entry at all.
    if (QFileInfo(entry).isFile() && !entry.remove())
        return failure(
            QStringLiteral("Could not remove “%1”: %2").arg(entry.fileName(), entry.errorString()));
    return Done{};
}

QByteArray XdgAutostartLoginItem::entryContent() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Zentrope\n"
                          "Comment=Companion of the Zentrope Office add-in\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(DesktopEntry::execArgument(executablePath()))
        .toUtf8();
}

} // namespace platform
