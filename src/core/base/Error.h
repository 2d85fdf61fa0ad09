#pragma once

#include <QString>
#include <cstring>

// An error as the user is shown it: the application's own errors carry a
// domain named after their namespace ("SetupCheck", "DiagnosticsBundle") and
// a numeric code; library errors keep the library's message.
struct Error
{
    QString domain;
    int code = 0;
    QString description; // shown as is, often after a fixed prefix

    QString localizedDescription() const { return description; }
    friend bool operator==(const Error&, const Error&) = default;
};

// An error the operating system reported through errno, with its own message.
inline Error systemError(int code)
{
    return Error{QStringLiteral("POSIX"), code, QString::fromLocal8Bit(std::strerror(code))};
}
