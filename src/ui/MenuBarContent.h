#pragma once

#include "core/daemon/DaemonManager.h"

#include <QRect>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class SymbolView;

// The panel that drops from the tray icon: the daemon's state and the
// controls that state offers, then the ways into the rest of the
// application. A popup: Escape or a click elsewhere closes it. It has no
// state of its own and redraws on every status change while it is open.
class MenuBarContent : public QWidget
{
    Q_OBJECT

public:
    struct Actions
    {
        std::function<void()> openMainWindow;
        std::function<void()> checkForUpdates;
        std::function<void()> quit; // after the daemon has been asked to stop
    };

    MenuBarContent(DaemonManager& daemon, Actions actions, QWidget* parent = nullptr);

    // Where the tray icon is on screen: a click there closes the panel and
    // goes no further, so it does not open the panel again at once.
    void setAnchor(const QRect& anchor) { m_anchor = anchor; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createHeader();
    QWidget* createControls();
    QPushButton* addButton(QWidget* row, const QString& text, const std::function<void()>& action);
    // Closes the panel first, so that what `action` opens comes in front.
    std::function<void()> closingFirst(std::function<void()> action);
    void showStatus(const DaemonManager::Status& status);

    DaemonManager& m_daemon;
    Actions m_actions;
    QRect m_anchor;
    SymbolView* m_symbol = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_restart = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_open = nullptr;
};
