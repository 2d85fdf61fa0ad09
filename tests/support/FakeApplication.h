#pragma once

#include <QString>
#include <chrono>
#include <sys/types.h>

// A stand-in for an Office application: <folder>/<name>.app with a copy of
// /bin/sleep as its executable and an Info.plist giving `bundleId` (none
// when empty), started as a real process of this user.
class FakeApplication
{
public:
    FakeApplication(const QString& folder, const QString& name, const QString& bundleId);
    // Kills the process if it still runs, and reaps it.
    ~FakeApplication();
    FakeApplication(const FakeApplication&) = delete;
    FakeApplication& operator=(const FakeApplication&) = delete;

    QString executablePath() const { return m_executable; }
    pid_t pid() const { return m_pid; }

    bool start();
    void kill();
    // Waits for the end: the signal that ended the process, 0 for an
    // ordinary exit, -1 when it still runs at the deadline.
    int waitForEndingSignal(std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    QString m_executable;
    pid_t m_pid = -1;
    int m_endingSignal = -1;
};
