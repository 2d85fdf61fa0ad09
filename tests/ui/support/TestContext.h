#pragma once

#include "core/context/ApplicationContext.h"
#include "platform/fake/FakeServices.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <memory>

// An application context of fakes for the views' suites: defaults and a bundle of its own, whose
// daemon idles until stopped or, while crashing is on, exits 3 at once. The daemon channel asks
// `daemonPort` on 127.0.0.1 (by default a port where nothing listens).
class TestContext
{
public:
    explicit TestContext(quint16 daemonPort = 0);
    ~TestContext();

    ApplicationContext& context() { return *m_context; }
    DaemonManager& manager() { return m_context->daemonManager(); }
    void setCrashing(bool crashing);
    // Starts the daemon and waits until the supervisor has settled in a
    // state other than starting (a crash is known only once the child has ended).
    bool startAndSettle();

    platform::FakeServices fakes;
    TestBundle bundle;

private:
    QTemporaryDir m_scratch;
    std::unique_ptr<ApplicationContext> m_context;
};
