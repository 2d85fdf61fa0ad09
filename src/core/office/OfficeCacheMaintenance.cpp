#include "core/office/OfficeCacheMaintenance.h"

#include "core/office/Sideloader.h"
#include "platform/SystemLog.h"

#include <QStringList>

namespace OfficeCacheMaintenance {

QString currentVersion(const Bundle& bundle)
{
    const QVariant version =
        bundle.infoDictionary().value(QStringLiteral("CFBundleShortVersionString"));
    return version.typeId() == QMetaType::QString ? version.toString() : QString();
}

QList<OfficeHost> flushIfUpdated(UserDefaults& defaults, const Bundle& bundle,
                                 platform::SystemLog& systemLog)
{
    const QString current = currentVersion(bundle);
    if (current.isEmpty())
        return {};
    const auto& key = DefaultsKeys::lastLaunchedShortVersion;
    const bool known = defaults.contains(key);
    const QString previous = defaults.value(key);

    QList<OfficeHost> flushed;
    if (known && previous != current) {
        flushed = Sideloader::flushAddinCaches();
        if (!flushed.isEmpty()) {
            QStringList names;
            for (const OfficeHost host : flushed)
                names.append(host.displayName());
            systemLog.write(
                QStringLiteral("Zentrope: update %1 → %2; flushed Office add-in caches for %3")
                    .arg(previous, current, names.join(QStringLiteral(", "))));
        }
    }
    defaults.setValue(key, current);
    return flushed;
}

} // namespace OfficeCacheMaintenance
