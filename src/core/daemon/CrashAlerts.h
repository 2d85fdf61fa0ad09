#pragma once

#include "core/base/UserDefaults.h"
#include "core/daemon/DaemonManager.h"

#include <QObject>

// Decides when the user is told that the daemon went down by itself. The
// supervisor never restarts a crashed daemon, so with the main window closed
// a crash would otherwise go unnoticed.
//
// A crash is announced once, when the status becomes `crashed`, unless the
// user stopped the daemon first: a daemon that needs the forced kill after a
// Stop (or quitting) ends as `crashed (9)`, and that is the user's doing. A
// launch failure (exit code -1) is announced too: it only ever follows a
// start. DefaultsKeys::crashAlerts, read when the crash happens, turns the
// announcements off.
class CrashAlerts : public QObject
{
    Q_OBJECT

public:
    CrashAlerts(DaemonManager& daemon, UserDefaults defaults, QObject* parent = nullptr);

    // What the supervisor published; connected to its statusChanged.
    void observe(const DaemonManager::Status& status);

Q_SIGNALS:
    // The daemon went down unexpectedly with `exitCode` (-1: it could not be launched).
    void crashed(qint32 exitCode);

private:
    UserDefaults m_defaults;
    // A daemon is up, or on its way up, that nobody asked to stop.
    bool m_unattended = false;
};
