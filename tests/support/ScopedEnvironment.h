#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <optional>

// Sets environment variables for one scope and puts back what was there.
// Child processes started meanwhile inherit them.
class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const char* name, const QByteArray& value) { set(name, value); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment()
    {
        for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
            if (it->second)
                qputenv(it->first, *it->second);
            else
                qunsetenv(it->first);
        }
    }

    void set(const char* name, const QByteArray& value)
    {
        m_saved.append(
            {name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        qputenv(name, value);
    }

private:
    QList<QPair<const char*, std::optional<QByteArray>>> m_saved;
};
