#pragma once

#include "ui/MainWindowTab.h"

#include <memory>

class ApplicationContext;
class FileDialog;
class QWidget;
class UpdateCheckFlow;

// Builds the view of a tab, afresh each time it is asked: the main window
// calls it whenever a tab is selected and destroys the view it replaces.
// Holds what the views are handed; the application owns all of it.
class TabViews
{
public:
    // `updates` is the application's update flow, which the support tab's
    // "Check for updates now" goes through; without one, the views share a
    // flow of their own, made when first needed.
    TabViews(ApplicationContext& context, FileDialog& fileDialog,
             UpdateCheckFlow* updates = nullptr);
    ~TabViews();

    // A new view for `tab`, owned by `parent`.
    QWidget* create(MainWindowTab tab, QWidget* parent) const;
    UpdateCheckFlow& updateCheckFlow() const;

private:
    ApplicationContext& m_context;
    FileDialog& m_fileDialog;
    UpdateCheckFlow* m_updates;
    mutable std::unique_ptr<UpdateCheckFlow> m_ownUpdates;
};
