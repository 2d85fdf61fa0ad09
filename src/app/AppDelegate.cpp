#include "app/AppDelegate.h"

#include "core/context/ApplicationContext.h"
#include "core/office/OfficeCacheMaintenance.h"
#include "core/setup/LaunchAtLogin.h"

AppDelegate::AppDelegate(ApplicationContext& context)
    : m_context(context)
{}

void AppDelegate::applicationDidFinishLaunching()
{
    const platform::Services& services = m_context.services();
    OfficeCacheMaintenance::flushIfUpdated(m_context.defaults(), m_context.bundle(),
                                           *services.systemLog);
    LaunchAtLogin::enableOnFirstRun(m_context.defaults(), *services.loginItem, *services.systemLog);
    m_context.daemonManager().start();
}

void AppDelegate::applicationWillTerminate()
{
    m_context.daemonManager().stop();
}
