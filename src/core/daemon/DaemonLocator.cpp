#include "core/daemon/DaemonLocator.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString daemonFolder = QStringLiteral("Daemon");
const QString devTreeSuffix = QStringLiteral("dist/Zentrope.app/Contents/Resources/Daemon");
} // namespace

std::optional<QString> DaemonLocator::nodeBinary() const
{
    return locate(QStringLiteral("node"), {}, QStringLiteral("node"));
}

std::optional<QString> DaemonLocator::entryScript() const
{
    return locate(QStringLiteral("entry"), QStringLiteral("mjs"), QStringLiteral("entry.mjs"));
}

std::optional<QString> DaemonLocator::locate(const QString& name, const QString& extension,
                                             const QString& fileName) const
{
    if (auto found = m_bundle.resource(name, extension, daemonFolder))
        return found;
    // Existence in the development tree is not checked: a missing file there
    // shows up as a launch failure, which names the problem.
    if (auto root = devModeDaemonRoot())
        return *root + u'/' + fileName;
    return std::nullopt;
}

std::optional<QString> DaemonLocator::devModeDaemonRoot() const
{
    QDir folder = QFileInfo(m_bundle.path()).dir();
    for (int attempt = 0; attempt < devModeAttempts; ++attempt) {
        const QString candidate = folder.absoluteFilePath(devTreeSuffix);
        if (QFileInfo::exists(candidate))
            return candidate;
        if (!folder.cdUp())
            break;
    }
    return std::nullopt;
}
