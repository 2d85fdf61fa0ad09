#include "ui/MenuBarExtra.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPixmap>
#include <QScreen>

namespace {

constexpr int gap = 4; // between the icon and the panel

} // namespace

MenuBarExtra::MenuBarExtra(DaemonManager& daemon, MenuBarIcon& icon,
                           MenuBarContent::Actions actions, QObject* parent)
    : QObject(parent)
    , m_daemon(daemon)
    , m_icon(icon)
    , m_actions(std::move(actions))
{
    connect(&m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A click soon after another comes as a double click alone.
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick ||
                    reason == QSystemTrayIcon::Context)
                    togglePanel();
            });
    connect(&m_tray, &QSystemTrayIcon::messageClicked, this, &MenuBarExtra::messageClicked);
    connect(&m_daemon, &DaemonManager::statusChanged, this, &MenuBarExtra::showStatus);
    qApp->installEventFilter(this);
    showStatus(m_daemon.status());
}

MenuBarExtra::~MenuBarExtra()
{
    delete m_panel;
}

void MenuBarExtra::show()
{
    m_tray.show();
}

void MenuBarExtra::showStatus(const DaemonManager::Status& status)
{
    m_mask = m_icon.forStatus(status);
    m_tray.setToolTip(tr("Zentrope — %1").arg(status.label()));
    applyIcon();
}

void MenuBarExtra::applyIcon()
{
    // The tray's text colour, so the mark reads on a light and a dark panel.
    const QColor ink = QApplication::palette().color(QPalette::WindowText);
    QIcon icon(QPixmap::fromImage(MenuBarIcon::tinted(m_mask, ink)));
    icon.setIsMask(true);
    m_tray.setIcon(icon);
}

bool MenuBarExtra::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        applyIcon();
    return QObject::eventFilter(watched, event);
}

void MenuBarExtra::togglePanel()
{
    if (m_panel) {
        m_panel->close();
        return;
    }
    openPanel();
}

void MenuBarExtra::openPanel()
{
    m_panel = new MenuBarContent(m_daemon, m_actions);
    m_panel->setAnchor(m_tray.geometry());
    m_panel->adjustSize();
    m_panel->move(panelPosition(m_panel->size()));
    m_panel->show();
    m_panel->activateWindow();
}

QPoint MenuBarExtra::panelPosition(const QSize& panel) const
{
    // Below the icon, or above it when the tray is at the bottom; where the
    // tray does not say where the icon is, at the pointer that clicked it.
    QRect anchor = m_tray.geometry();
    if (!anchor.isValid())
        anchor = QRect(QCursor::pos(), QSize(1, 1));
    const QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(QPoint(), panel);
    const bool below = anchor.center().y() < room.center().y();
    QPoint position(anchor.center().x() - panel.width() / 2,
                    below ? anchor.bottom() + 1 + gap : anchor.top() - gap - panel.height());
    position.setX(std::clamp(position.x(), room.left(),
                             std::max(room.left(), room.right() + 1 - panel.width())));
    position.setY(std::clamp(position.y(), room.top(),
                             std::max(room.top(), room.bottom() + 1 - panel.height())));
    return position;
}

void MenuBarExtra::showMessage(const QString& title, const QString& body)
{
    m_tray.showMessage(title, body, QSystemTrayIcon::Warning);
}
