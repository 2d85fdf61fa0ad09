#include "core/setup/SetupRows.h"

#include <algorithm>

namespace {

const QString certificateAbsent =
    QStringLiteral("Without it the daemon falls back to plain HTTP. macOS will ask for your "
                   "password to add the cert to your keychain.");

} // namespace

QList<SetupRows::Row> SetupRows::problems(const SetupCheck::State& state)
{
    QList<Row> rows;
    if (auto certificate = certificateProblem(state))
        rows.append(*std::move(certificate));
    if (state.anyHostInstalled && !state.anyHostSideloaded)
        rows.append({Check::addIn, QStringLiteral("Add-in not yet sideloaded into Office"),
                     QStringLiteral("Open the Add-in tab to install into Word, Excel, or "
                                    "PowerPoint.")});
    if (!state.accessibilityGranted)
        rows.append({Check::accessibility, QStringLiteral("Accessibility permission not granted"),
                     QStringLiteral("Zentrope sends ⌘W to Prism so it can export the updated "
                                    "chart on Update. Without this, the reinsert flow hangs.")});
    return rows;
}

std::optional<SetupRows::Row> SetupRows::certificateProblem(const SetupCheck::State& state)
{
    if (!state.certInstalled)
        return Row{Check::certificate, QStringLiteral("Localhost TLS cert missing"),
                   certificateAbsent};
    if (!state.certValid)
        return Row{Check::certificate, QStringLiteral("Localhost TLS cert expired"),
                   certificateAbsent};
    if (!state.certTrusted)
        return Row{Check::certificate, QStringLiteral("Localhost TLS cert not trusted"),
                   QStringLiteral("The cert exists but its CA isn’t trusted, so Office rejects "
                                  "the daemon’s HTTPS and the add-in shows “Helper not "
                                  "running”. macOS will ask for your password to trust it.")};
    return std::nullopt;
}

QStringList SetupRows::lines(const SetupCheck::State& state)
{
    const QList<Row> rows = problems(state);
    QStringList lines;
    for (const Check check : {Check::certificate, Check::addIn, Check::accessibility}) {
        const auto problem = std::find_if(rows.cbegin(), rows.cend(),
                                          [&](const Row& row) { return row.check == check; });
        lines.append(problem != rows.cend() ? problem->title : okLine(check, state));
    }
    lines.append(rows.isEmpty() ? QStringLiteral("Setup complete.")
                                : QStringLiteral("Setup needed."));
    return lines;
}

QString SetupRows::okLine(Check check, const SetupCheck::State& state)
{
    switch (check) {
    case Check::certificate:
        return QStringLiteral("Localhost TLS cert: OK");
    case Check::addIn:
        return state.anyHostInstalled
                   ? QStringLiteral("Office add-in: OK")
                   : QStringLiteral("Office add-in: OK (no Office application installed)");
    case Check::accessibility:
        return QStringLiteral("Accessibility permission: OK");
    }
    return {};
}
