#pragma once

#include "core/daemon/DaemonStatus.h"
#include "ui/SemanticColor.h"

#include <QString>

// How a daemon state shows wherever it is shown (the window's header, the
// tray's panel): its symbol and that symbol's tint.
struct StatusLook
{
    QString symbol;
    SemanticColor tint;

    static StatusLook of(DaemonStatus::Kind kind);
};
