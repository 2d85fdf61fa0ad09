#pragma once

#include "core/base/Bundle.h"

#include <QString>
#include <optional>

// Finds the daemon's "node" executable and "entry.mjs" script: in the bundle's
// Daemon resource folder, or, for a build run from a development tree, in the
// nearest dist/Zentrope.app above the bundle.
class DaemonLocator
{
public:
    explicit DaemonLocator(Bundle bundle)
        : m_bundle(std::move(bundle))
    {}

    std::optional<QString> nodeBinary() const;
    std::optional<QString> entryScript() const;
    // The bundle's parent folder and up to five further ancestors are tried.
    std::optional<QString> devModeDaemonRoot() const;

    static constexpr int devModeAttempts = 6;

private:
    std::optional<QString> locate(const QString& name, const QString& extension,
                                  const QString& fileName) const;

    Bundle m_bundle;
};
