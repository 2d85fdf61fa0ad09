#pragma once

#include "core/office/HostSnapshot.h"

#include <QWidget>

class QLabel;
class QPushButton;
class SymbolView;

// One Office host in the add-in tab: its name and state, and what can be
// done there (install or reinstall, remove, reveal its folder), or "Not
// installed" when its container is missing. It is updated in place, so the
// button just pressed stays where it is, with the focus.
class HostRow : public QWidget
{
    Q_OBJECT

public:
    explicit HostRow(OfficeHost host, QWidget* parent = nullptr);

    void showSnapshot(const HostSnapshot& snapshot);

Q_SIGNALS:
    void installClicked();
    void removeClicked();
    void revealClicked();

private:
    QPushButton* addButton(void (HostRow::*clicked)());

    const OfficeHost m_host;
    SymbolView* m_sideloadedMark;
    QLabel* m_statusLine;
    QLabel* m_notInstalled;
    QPushButton* m_install;
    QPushButton* m_remove;
    QPushButton* m_reveal;
};
