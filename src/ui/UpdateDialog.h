#pragma once

#include "platform/UpdaterController.h"

#include <QDialog>

class QLabel;

namespace platform {
class Workspace;
}

// The window of an update found: which version, what changed, and the
// choices update frameworks give — "Download" (or "Learn More…" for a
// release with nothing to download), "Skip This Version" (not for a critical
// release) and "Remind Me Later". A choice that fails says why and leaves
// the window open; one that succeeds closes it.
class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    UpdateDialog(platform::AvailableUpdate update, const QString& currentVersion,
                 platform::UpdaterController& controller, platform::Workspace& workspace,
                 QWidget* parent = nullptr);

    const platform::AvailableUpdate& update() const { return m_update; }

private:
    QWidget* createNotes();
    QLayout* createChoices();
    void takeAction();
    void skip();
    void open(const QUrl& address);
    void showProblem(const QString& text);

    const platform::AvailableUpdate m_update;
    platform::UpdaterController& m_controller;
    platform::Workspace& m_workspace;
    QLabel* m_problem;
};
