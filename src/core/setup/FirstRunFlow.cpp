#include "core/setup/FirstRunFlow.h"

namespace FirstRunFlow {

bool claim(UserDefaults& defaults)
{
    defaults.sync(); // another launch may have claimed it meanwhile
    if (defaults.value(DefaultsKeys::firstRunCompleted))
        return false;
    defaults.setValue(DefaultsKeys::firstRunCompleted, true);
    defaults.sync();
    return true;
}

} // namespace FirstRunFlow
