#include "core/daemon/DaemonLocator.h"

#include "core/base/TrustedPath.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <utility>

namespace {
const QString daemonFolder = QStringLiteral("Daemon");
const QString devTreeSuffix = QStringLiteral("dist/Zentrope.app/Contents/Resources/Daemon");
const QString nodeName = QStringLiteral("node");
const QString entryName = QStringLiteral("entry.mjs");
} // namespace

Result<DaemonLocator::Files, QString> DaemonLocator::locate() const
{
    const auto node = m_bundle.resource(nodeName, {}, daemonFolder);
    const auto entry =
        m_bundle.resource(QStringLiteral("entry"), QStringLiteral("mjs"), daemonFolder);
    if (node && entry)
        return Files{*node, *entry};
    return locateInDevelopmentTree();
}

Result<DaemonLocator::Files, QString> DaemonLocator::locateInDevelopmentTree() const
{
    const auto root = devModeDaemonRoot();
    if (!root)
        return QString();
    const auto passedOver = [&](const QString& reason) {
        return QStringLiteral("Passed over the development daemon in %1: %2").arg(*root, reason);
    };
    Files files;
    for (auto [name, found] :
         {std::pair{nodeName, &files.nodeBinary}, {entryName, &files.entryScript}}) {
        // Resolved and checked once, then used as resolved: what was checked is what runs.
        const QString path = *root + u'/' + name;
        const auto trusted = TrustedPath::resolve(path);
        if (!trusted && trusted.error().code == ENOENT)
            return passedOver(QStringLiteral("“%1” is missing").arg(path));
        if (!trusted)
            return passedOver(trusted.error().localizedDescription());
        *found = trusted.value();
    }
    return files;
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
