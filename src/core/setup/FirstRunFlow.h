#pragma once

#include "core/base/UserDefaults.h"

// The very first run on a user account opens the main window, once.
namespace FirstRunFlow {

// True exactly once per user account: when DefaultsKeys::firstRunCompleted is
// not yet set. The flag is written, and the store synced, before this returns
// true, so a run interrupted while opening the window does not open it again.
// A store that cannot be written still answers true (the window is worth
// showing) and is asked again at the next launch.
bool claim(UserDefaults& defaults);

} // namespace FirstRunFlow
