#pragma once

#include "platform/UpdaterController.h"
#include "platform/appcast/UpdateChooser.h"

namespace platform {

// The chosen release as the update dialog shows it: texts without control
// characters, notes made safe, addresses only where they may be opened.
AvailableUpdate foundUpdate(const UpdateChooser::Choice& choice);

} // namespace platform
