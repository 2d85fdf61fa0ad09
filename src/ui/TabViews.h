#pragma once

#include "ui/MainWindowTab.h"

class ApplicationContext;
class FileDialog;
class QWidget;

// Builds the view of a tab, afresh each time it is asked: the main window
// calls it whenever a tab is selected and destroys the view it replaces.
// Holds what the views are handed; the application owns all of it.
class TabViews
{
public:
    TabViews(ApplicationContext& context, FileDialog& fileDialog);

    // A new view for `tab`, owned by `parent`.
    QWidget* create(MainWindowTab tab, QWidget* parent) const;

private:
    ApplicationContext& m_context;
    FileDialog& m_fileDialog;
};
