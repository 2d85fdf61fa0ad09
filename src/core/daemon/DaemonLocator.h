#pragma once

#include "core/base/Bundle.h"
#include "core/base/Result.h"

#include <QString>
#include <optional>

// Finds the daemon's "node" executable and "entry.mjs" script: in the bundle's
// Daemon resource folder, or, for a build run from a development tree, in the
// nearest dist/Zentrope.app above the bundle.
class DaemonLocator
{
public:
    struct Files
    {
        QString nodeBinary;
        QString entryScript;
    };

    explicit DaemonLocator(Bundle bundle)
        : m_bundle(std::move(bundle))
    {}

    // Both files from one place, never one from each: the bundle's Daemon
    // folder when it holds both, else the development tree's when it holds
    // both and nobody but this user or root can change them (TrustedPath):
    // what a search up the folders finds may have been put there by anyone.
    // Otherwise, why the development tree was passed over (empty when there
    // was none).
    Result<Files, QString> locate() const;

    // The first candidate folder that exists: the bundle's parent folder and
    // up to five further ancestors are tried.
    std::optional<QString> devModeDaemonRoot() const;

    static constexpr int devModeAttempts = 6;

private:
    Result<Files, QString> locateInDevelopmentTree() const;

    Bundle m_bundle;
};
