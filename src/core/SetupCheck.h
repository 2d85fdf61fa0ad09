#pragma once

#include "core/Bundle.h"
#include "core/Result.h"

#include <QFuture>
#include <QString>
#include <optional>

// The machine's setup as the add-in needs it, and what puts it right.
class SetupCheck
{
public:
    static const QString errorDomain; // "SetupCheck"

    // Runs the certificate installer shipped in `bundle` ("/bin/bash" with the
    // script's path), off the caller's thread and without a time limit: the
    // script may wait for the user to enter a password. Yields everything the
    // script printed, standard output and standard error interleaved, as
    // UTF-8 (empty when it was not valid UTF-8). Fails with code 1 when the
    // bundle has no installer, and with the script's exit status when it
    // fails.
    static QFuture<Result<QString>> installCert(const Bundle& bundle = Bundle::main());

private:
    static std::optional<QString> installerScript(const Bundle& bundle);
    // The bundle's path joined with `relativePath`, when something is there.
    static std::optional<QString> bundleRelative(const Bundle& bundle, const QString& relativePath);
};
