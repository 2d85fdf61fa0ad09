#pragma once

#include "ui/MainWindowTab.h"

#include <QMainWindow>
#include <QPointer>
#include <optional>

class DaemonHeader;
class DaemonManager;
class QListWidget;
class QScrollArea;
class TabViews;

// The application's one main window: a sidebar listing the tabs, and beside
// it the daemon header, a divider and the selected tab's view (scrolling
// when the window is too small for it). Each selection
// builds its tab's view afresh and destroys the one it replaces, with all its
// state; with no selection the status tab shows.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    using Tab = MainWindowTab;

    MainWindow(DaemonManager& daemon, const TabViews& views, QWidget* parent = nullptr);

    // The sidebar row's text and symbol.
    static QString title(Tab tab);
    static QString symbolName(Tab tab);

    std::optional<Tab> selection() const;
    void setSelection(std::optional<Tab> tab);
    // The tab whose view is shown, and that view.
    Tab shownTab() const { return m_shownTab; }
    QWidget* tabView() const { return m_tabView; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* createSidebar();
    void updateSidebarIcons();
    void showTab(Tab tab);

    const TabViews& m_views;
    QListWidget* m_sidebar;
    DaemonHeader* m_header;
    QScrollArea* m_content;
    QPointer<QWidget> m_tabView;
    Tab m_shownTab = Tab::status;
};
