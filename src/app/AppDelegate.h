#pragma once

class ApplicationContext;

// What happens when launching has finished and when the application goes,
// over the application context's shared things.
class AppDelegate
{
public:
    explicit AppDelegate(ApplicationContext& context);

    // In this order: the Office caches flushed if the application was
    // updated, the login item registered on the first run, the daemon started.
    void applicationDidFinishLaunching();
    // Asks the daemon to stop; the context's teardown then makes sure it has
    // gone (killed after the grace period) before the process ends.
    void applicationWillTerminate();
    // Closing the main window leaves the application (and the daemon) running.
    static constexpr bool shouldTerminateAfterLastWindowClosed = false;

private:
    ApplicationContext& m_context;
};
