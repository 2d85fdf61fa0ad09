#include "core/context/ApplicationContext.h"

ApplicationContext::ApplicationContext(platform::Services services, UserDefaults defaults,
                                       Bundle bundle)
    : ApplicationContext(std::move(services), std::move(defaults), std::move(bundle),
                         DaemonSettings())
{}

ApplicationContext::ApplicationContext(platform::Services services, UserDefaults defaults,
                                       Bundle bundle, DaemonSettings daemon)
    : m_services(std::move(services))
    , m_defaults(std::move(defaults))
    , m_bundle(std::move(bundle))
    , m_daemon(std::move(daemon))
{
    if (m_daemon.logDirectory.isEmpty())
        m_daemon.logDirectory = DaemonManager::logDirectory();
}

ApplicationContext::~ApplicationContext()
{
    // The order is the one the header gives.
    if (m_daemonManager)
        m_daemonManager->shutdown();
    m_updater.reset();
    m_daemonChannel.reset();
    m_daemonManager.reset();
    m_services = {};
}

DaemonManager& ApplicationContext::daemonManager()
{
    if (!m_daemonManager)
        m_daemonManager = std::make_unique<DaemonManager>(
            m_bundle, m_daemon.logDirectory,
            DaemonManager::Port{m_daemon.port, m_services.portLookup});
    return *m_daemonManager;
}

DaemonChannel& ApplicationContext::daemonChannel()
{
    if (!m_daemonChannel)
        m_daemonChannel = std::make_unique<DaemonChannel>(
            m_daemon.port, m_daemon.extraCaCertificates, m_daemon.limits);
    return *m_daemonChannel;
}

Updater& ApplicationContext::updater()
{
    if (!m_updater)
        m_updater = std::make_unique<Updater>(*m_services.updateFramework, m_bundle, m_defaults);
    return *m_updater;
}
