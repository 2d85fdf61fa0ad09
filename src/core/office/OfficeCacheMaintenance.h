#pragma once

#include "core/base/Bundle.h"
#include "core/base/UserDefaults.h"
#include "core/office/OfficeHost.h"

#include <QList>

namespace platform {
class SystemLog;
}

// Once per update of the application, deletes the Office add-in caches so
// that the hosts load the add-in afresh.
namespace OfficeCacheMaintenance {

// The bundle's CFBundleShortVersionString when it is text, else empty.
QString currentVersion(const Bundle& bundle);

// Flushes the caches when the stored version differs from the current one
// (a downgrade too), logs which hosts were flushed, and stores the current
// version. The first launch and an unchanged version flush nothing; without
// a current version nothing is read or stored. Returns the flushed hosts.
QList<OfficeHost> flushIfUpdated(UserDefaults& defaults, const Bundle& bundle,
                                 platform::SystemLog& systemLog);

} // namespace OfficeCacheMaintenance
