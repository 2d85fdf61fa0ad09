#pragma once

#include "core/daemon/DaemonManager.h"

#include <QWidget>

class QLabel;
class QPushButton;
class Spinner;
class SymbolView;

// The row above every tab: the daemon's state as the supervisor reports it,
// and the controls that state offers. Redrawn on every status change.
class DaemonHeader : public QWidget
{
    Q_OBJECT

public:
    explicit DaemonHeader(DaemonManager& daemon, QWidget* parent = nullptr);

private:
    void showStatus(const DaemonManager::Status& status);
    QPushButton* addButton(const QString& text, void (DaemonManager::*action)());

    DaemonManager& m_daemon;
    SymbolView* m_symbol;
    QLabel* m_label;
    QWidget* m_controls;
    QPushButton* m_restart;
    QPushButton* m_stop;
    QPushButton* m_start;
    Spinner* m_spinner;
};
