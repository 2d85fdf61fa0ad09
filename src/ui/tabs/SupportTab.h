#pragma once

#include "core/support/DiagnosticsBundle.h"

#include <QWidget>

class ApplicationContext;
class DiagnosticsBox;
class MessageLine;
class UpdateCheckFlow;

// Where the user gathers what a support request needs: the diagnostics
// archive, the recent crash reports, the update settings, the crash
// notification switch and quick links to support. Each box keeps its own
// state; the tab only puts them together.
class SupportTab : public QWidget
{
    Q_OBJECT

public:
    // Where the tab's work reads and writes.
    struct Places
    {
        DiagnosticsBundle::Setup diagnostics;
        QString crashReportsDirectory;
    };
    // The application's: the Desktop, the system's reports folder.
    static Places applicationPlaces(ApplicationContext& context);

    SupportTab(ApplicationContext& context, UpdateCheckFlow& updates, QWidget* parent = nullptr);
    SupportTab(ApplicationContext& context, UpdateCheckFlow& updates, Places places,
               QWidget* parent = nullptr);

private:
    QWidget* createNotificationsBox(ApplicationContext& context);
    QWidget* createLinksBox(ApplicationContext& context);

    MessageLine* m_linkError;
};
