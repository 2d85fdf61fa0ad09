#pragma once

#include "core/office/OfficeHost.h"

#include <QList>
#include <QString>

namespace platform {
class Workspace;
}

// One Office host as its row shows it: installed, sideloaded, running. The
// add-in tab and `zentropectl sideload` read their rows from here.
struct HostSnapshot
{
    OfficeHost host = OfficeHost::word;
    bool installed = false;
    // Either manifest name is in the host's wef folder, installed or not.
    bool sideloaded = false;
    bool running = false;

    // Word, Excel and PowerPoint, in that order, asking the workspace for
    // its running applications once for all three.
    static QList<HostSnapshot> take(const platform::Workspace& workspace);

    // The row's status line, e.g. "Sideloaded — restart to load".
    QString statusLabel() const;

    friend bool operator==(const HostSnapshot&, const HostSnapshot&) = default;
};
