#pragma once

#include <QtGlobal>
#include <random>

// How long a soak test runs: short in the ordinary suite, as long as
// scripts/soak asks through the environment. The seed is printed, so that a
// run that failed can be repeated with ZENTROPE_SOAK_SEED.
namespace SoakSettings {

inline int count(const char* variable, int ordinary)
{
    bool set = false;
    const int value = qEnvironmentVariableIntValue(variable, &set);
    return set && value > 0 ? value : ordinary;
}

inline quint32 seed()
{
    bool set = false;
    const auto value = quint32(qEnvironmentVariableIntValue("ZENTROPE_SOAK_SEED", &set));
    return set ? value : std::random_device()();
}

} // namespace SoakSettings
