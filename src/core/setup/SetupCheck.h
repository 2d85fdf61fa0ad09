#pragma once

#include "core/base/Bundle.h"
#include "core/base/Result.h"
#include "core/setup/CertificateValidity.h"

#include <QFuture>
#include <QString>
#include <memory>
#include <optional>

namespace platform {
class Accessibility;
class CertificateTrust;
} // namespace platform

// The machine's setup as the add-in needs it, and what puts it right.
class SetupCheck
{
public:
    static const QString errorDomain; // "SetupCheck"

    struct State
    {
        bool certInstalled = false;
        bool certValid = false;   // installed, and not expiring within a day
        bool certTrusted = false; // valid, and accepted for SSL by the system
        bool anyHostSideloaded = false;
        bool anyHostInstalled = false;
        bool accessibilityGranted = false;

        friend bool operator==(const State&, const State&) = default;
    };

    // ~/.zentrope/certs/localhost.crt, from the home folder of the moment.
    static QString certificatePath();

    // Inspects the machine on the caller's thread, one check program after
    // the other (each bounded in time), and none when there is no
    // certificate: an invalid certificate is never asked about trust. Only
    // installed hosts count, under either manifest name. Never fails: every
    // failure reads as false. Accessibility is asked without a prompt.
    static State evaluate(platform::CertificateTrust& trust, platform::Accessibility& accessibility,
                          const CertificateValidity& validity = CertificateValidity());
    // evaluate() on a thread of its own, so that the caller's thread goes on
    // while the check programs run. The future finishes on that thread; a
    // caller that may go first watches it with a QFutureWatcher it owns
    // (Qt 6.4 asserts when a .then(context, …) outlives its context). The
    // services are held until the evaluation ends.
    static QFuture<State> evaluateAsync(std::shared_ptr<platform::CertificateTrust> trust,
                                        std::shared_ptr<platform::Accessibility> accessibility,
                                        CertificateValidity validity = CertificateValidity());

    // What "Open Settings" does for the Accessibility permission: the system's
    // own prompt first, which puts Zentrope in the settings' list, then the
    // settings page, where the user can switch it on.
    static void openAccessibilitySettings(platform::Accessibility& accessibility);

    // Runs the certificate installer shipped in `bundle` ("/bin/bash" with the
    // script's path), off the caller's thread and without a time limit: the
    // script may wait for the user to enter a password. Yields everything the
    // script printed, standard output and standard error interleaved, as
    // UTF-8 (empty when it was not valid UTF-8). Fails with code 1 when the
    // bundle has no installer, and with the script's exit status when it
    // fails.
    static QFuture<Result<QString>> installCert(const Bundle& bundle);

private:
    static std::optional<QString> installerScript(const Bundle& bundle);
    // The bundle's path joined with `relativePath`, when something is there.
    static std::optional<QString> bundleRelative(const Bundle& bundle, const QString& relativePath);
};
