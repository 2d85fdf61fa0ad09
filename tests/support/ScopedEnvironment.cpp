#include "ScopedEnvironment.h"

#include <QtGlobal>

ScopedEnvironment::~ScopedEnvironment()
{
    for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
        if (it->second)
            qputenv(it->first, *it->second);
        else
            qunsetenv(it->first);
    }
}

void ScopedEnvironment::set(const char* name, const QByteArray& value)
{
    remember(name);
    qputenv(name, value);
}

void ScopedEnvironment::unset(const char* name)
{
    remember(name);
    qunsetenv(name);
}

void ScopedEnvironment::remember(const char* name)
{
    m_saved.append({name, qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                          : std::nullopt});
}
