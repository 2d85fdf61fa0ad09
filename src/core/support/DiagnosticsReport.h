#pragma once

#include "core/api/DaemonAPI.h"
#include "core/base/Bundle.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace platform {
class SystemFacts;
class Workspace;
} // namespace platform

// The text files of a diagnostics archive, as lines to be joined by "\n".
// Every line is one line: control characters in what others wrote are
// escaped (ControlCharacters::escaped).
namespace DiagnosticsReport {

// 20261205T095204: the run's time in UTC, naming its folder and archive.
QString stamp(const QDateTime& time);

// "Zentrope diagnostics", the time, the app's version and path, an empty
// line, then what the daemon answered, or that nothing answered at
// `daemonAddress`.
QStringList summaryLines(const QDateTime& generated, const Bundle& bundle,
                         const Result<DaemonAPI::Status, DaemonAPI::Error>& status,
                         const QString& daemonAddress);

// Operating system, hardware, CPU, memory in whole GiB, locale, time zone;
// "unknown" for what the system cannot tell.
QStringList systemLines(const platform::SystemFacts& facts);

// Per Office host: installed and sideloaded or not, and for an installed
// host whether it runs.
QStringList sideloadLines(const platform::Workspace& workspace);

} // namespace DiagnosticsReport
