#include "core/setup/SetupRows.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// A function, not a constant, so that it is translated when it is shown.
QString certificateAbsent()
{
    return QCoreApplication::translate(
        "SetupRows", "Without it the daemon falls back to plain HTTP. macOS will ask for your "
                     "password to add the cert to your keychain.");
}

} // namespace

QList<SetupRows::Row> SetupRows::problems(const SetupCheck::State& state)
{
    QList<Row> rows;
    if (auto certificate = certificateProblem(state))
        rows.append(*std::move(certificate));
    if (state.anyHostInstalled && !state.anyHostSideloaded)
        rows.append(
            {Check::addIn,
             QCoreApplication::translate("SetupRows", "Add-in not yet sideloaded into Office"),
             QCoreApplication::translate("SetupRows",
                                         "Open the Add-in tab to install into Word, Excel, or "
                                         "PowerPoint.")});
    if (!state.accessibilityGranted)
        rows.append(
            {Check::accessibility,
             QCoreApplication::translate("SetupRows", "Accessibility permission not granted"),
             QCoreApplication::translate(
                 "SetupRows", "Zentrope sends ⌘W to Prism so it can export the updated "
                              "chart on Update. Without this, the reinsert flow hangs.")});
    return rows;
}

std::optional<SetupRows::Row> SetupRows::certificateProblem(const SetupCheck::State& state)
{
    if (!state.certInstalled)
        return Row{Check::certificate,
                   QCoreApplication::translate("SetupRows", "Localhost TLS cert missing"),
                   certificateAbsent()};
    if (!state.certValid)
        return Row{Check::certificate,
                   QCoreApplication::translate("SetupRows", "Localhost TLS cert expired"),
                   certificateAbsent()};
    if (!state.certTrusted)
        return Row{Check::certificate,
                   QCoreApplication::translate("SetupRows", "Localhost TLS cert not trusted"),
                   QCoreApplication::translate(
                       "SetupRows", "The cert exists but its CA isn’t trusted, so Office rejects "
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
    lines.append(rows.isEmpty() ? QCoreApplication::translate("SetupRows", "Setup complete.")
                                : QCoreApplication::translate("SetupRows", "Setup needed."));
    return lines;
}

QString SetupRows::certificateInstalled()
{
    return QCoreApplication::translate("SetupRows",
                                       "Cert installed. The daemon may need a restart.");
}

QString SetupRows::okLine(Check check, const SetupCheck::State& state)
{
    switch (check) {
    case Check::certificate:
        return QCoreApplication::translate("SetupRows", "Localhost TLS cert: OK");
    case Check::addIn:
        return state.anyHostInstalled
                   ? QCoreApplication::translate("SetupRows", "Office add-in: OK")
                   : QCoreApplication::translate(
                         "SetupRows", "Office add-in: OK (no Office application installed)");
    case Check::accessibility:
        return QCoreApplication::translate("SetupRows", "Accessibility permission: OK");
    }
    return {};
}
