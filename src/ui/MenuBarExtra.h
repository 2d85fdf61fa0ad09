#pragma once

#include "ui/MenuBarContent.h"
#include "ui/MenuBarIcon.h"

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

// The application's place in the desktop's tray: the icon, full strength
// while the daemon runs and faint otherwise, and the panel that a click on
// it opens and closes. The panel is made each time it opens and goes when it
// closes, so nothing of it is kept while it is not shown.
class MenuBarExtra : public QObject
{
    Q_OBJECT

public:
    MenuBarExtra(DaemonManager& daemon, MenuBarIcon& icon, MenuBarContent::Actions actions,
                 QObject* parent = nullptr);
    ~MenuBarExtra() override;

    // Puts the icon in the tray.
    void show();

    void togglePanel();
    // The open panel, or null.
    MenuBarContent* panel() const { return m_panel; }
    // The mask the icon shows now (before it is tinted for the tray).
    const QImage& shownMask() const { return m_mask; }
    QSystemTrayIcon& trayIcon() { return m_tray; }

    // A message from the tray itself, where the desktop has no notifications.
    void showMessage(const QString& title, const QString& body);

Q_SIGNALS:
    void messageClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showStatus(const DaemonManager::Status& status);
    void applyIcon();
    void openPanel();
    QPoint panelPosition(const QSize& panel) const;

    DaemonManager& m_daemon;
    MenuBarIcon& m_icon;
    MenuBarContent::Actions m_actions;
    QSystemTrayIcon m_tray;
    QImage m_mask;
    QPointer<MenuBarContent> m_panel;
};
