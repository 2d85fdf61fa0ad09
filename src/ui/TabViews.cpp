#include "ui/TabViews.h"

#include "ui/MainWindow.h"
#include "ui/tabs/AddInTab.h"
#include "ui/tabs/LogsTab.h"
#include "ui/tabs/StatusTab.h"
#include "ui/tabs/TitleOnlyTab.h"

TabViews::TabViews(ApplicationContext& context, FileDialog& fileDialog)
    : m_context(context)
    , m_fileDialog(fileDialog)
{}

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
        return new TitleOnlyTab(MainWindow::title(tab), parent);
    }
    Q_UNREACHABLE();
    return nullptr;
}
