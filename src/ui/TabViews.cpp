#include "ui/TabViews.h"

#include "core/context/ApplicationContext.h"
#include "ui/MainWindow.h"
#include "ui/UpdateCheckFlow.h"
#include "ui/tabs/AddInTab.h"
#include "ui/tabs/LogsTab.h"
#include "ui/tabs/StatusTab.h"
#include "ui/tabs/SupportTab.h"

TabViews::TabViews(ApplicationContext& context, FileDialog& fileDialog, UpdateCheckFlow* updates)
    : m_context(context)
    , m_fileDialog(fileDialog)
    , m_updates(updates)
{}

TabViews::~TabViews() = default;

UpdateCheckFlow& TabViews::updateCheckFlow() const
{
    if (m_updates)
        return *m_updates;
    // Made on first use: making the updater starts its scheduled checks.
    if (!m_ownUpdates) {
        Updater& updater = m_context.updater();
        m_ownUpdates =
            std::make_unique<UpdateCheckFlow>(updater.controller(), *m_context.services().workspace,
                                              UpdateCheckFlow::currentVersion(m_context.bundle()));
    }
    return *m_ownUpdates;
}

QWidget* TabViews::create(MainWindowTab tab, QWidget* parent) const
{
    // One line per tab: its view, built from what this holds.
    switch (tab) {
    case MainWindowTab::status:
        return new StatusTab(m_context, parent);
    case MainWindowTab::addIn:
        return new AddInTab(m_context, m_fileDialog, parent);
    case MainWindowTab::logs:
        return new LogsTab(m_context, parent);
    case MainWindowTab::support:
        return new SupportTab(m_context, updateCheckFlow(), parent);
    }
    Q_UNREACHABLE();
    return nullptr;
}
