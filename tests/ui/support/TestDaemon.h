#pragma once

#include "core/daemon/DaemonManager.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <memory>

// A real DaemonManager over a throwaway bundle whose daemon is a shell script
// that idles until it is stopped, or exits 3 at once while crashing is on.
class TestDaemon
{
public:
    TestDaemon();

    DaemonManager& manager() { return *m_manager; }
    void setCrashing(bool crashing);
    // Starts it and waits until the supervisor has settled in a state other
    // than starting (a crash is known only once the child has ended).
    bool startAndSettle();

private:
    QTemporaryDir m_scratch;
    TestBundle m_bundle;
    std::unique_ptr<DaemonManager> m_manager;
};
