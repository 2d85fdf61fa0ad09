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
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const char* name, const QByteArray& value);
    void unset(const char* name);

private:
    void remember(const char* name);

    QList<QPair<const char*, std::optional<QByteArray>>> m_saved;
};
