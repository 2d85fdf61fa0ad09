#include "ui/MenuBarContent.h"

#include "ui/StatusLook.h"
#include "ui/Style.h"
#include "ui/SymbolView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int panelWidth = 260;
constexpr int inset = 14;
constexpr int spacing = 12;
constexpr int rowSpacing = 8;

} // namespace

MenuBarContent::MenuBarContent(DaemonManager& daemon, Actions actions, QWidget* parent)
    : QWidget(parent, Qt::Popup)
    , m_daemon(daemon)
    , m_actions(std::move(actions))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Zentrope"));
    setFixedWidth(panelWidth);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(inset, inset, inset, inset);
    stack->setSpacing(spacing);
    stack->addWidget(createHeader());
    stack->addWidget(Style::divider(this));
    stack->addWidget(createControls());
    stack->addWidget(Style::divider(this));

    m_open = addButton(this, tr("Open Zentrope…"), closingFirst(m_actions.openMainWindow));
    Style::setProminent(m_open);
    QPushButton* updates =
        addButton(this, tr("Check for updates…"), closingFirst(m_actions.checkForUpdates));
    updates->setFlat(true);
    QPushButton* quit = addButton(this, tr("Quit Zentrope"), closingFirst([this] {
                                      m_daemon.stop();
                                      if (m_actions.quit)
                                          m_actions.quit();
                                  }));
    quit->setFlat(true);
    Style::setTint(quit, SemanticColor::secondary);
    for (QPushButton* button : {m_open, updates, quit})
        stack->addWidget(button, 0, Qt::AlignLeft);

    connect(&m_daemon, &DaemonManager::statusChanged, this, &MenuBarContent::showStatus);
    showStatus(m_daemon.status());
    // Return opens the window, the panel's main way on.
    m_open->setFocus();
}

QWidget* MenuBarContent::createHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(rowSpacing);
    m_symbol = new SymbolView(QStringLiteral("circle"), SemanticColor::secondary, TextStyle::title2,
                              header);
    row->addWidget(m_symbol, 0, Qt::AlignVCenter);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    auto* name = new QLabel(tr("Zentrope"), header);
    Style::setTextStyle(name, TextStyle::headline);
    m_label = new QLabel(header);
    Style::setTextStyle(m_label, TextStyle::caption);
    Style::setTint(m_label, SemanticColor::secondary);
    lines->addWidget(name);
    lines->addWidget(m_label);
    row->addLayout(lines);
    row->addStretch();
    return header;
}

QWidget* MenuBarContent::createControls()
{
    auto* controls = new QWidget(this);
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(rowSpacing);
    // The reverse of the window's header: here Stop comes first.
    m_stop = addButton(controls, tr("Stop"), [this] { m_daemon.stop(); });
    m_restart = addButton(controls, tr("Restart"), [this] { m_daemon.restart(); });
    m_start = addButton(controls, tr("Start"), [this] { m_daemon.start(); });
    row->addStretch();
    return controls;
}

QPushButton* MenuBarContent::addButton(QWidget* row, const QString& text,
                                       const std::function<void()>& action)
{
    auto* button = new QPushButton(text, row);
    button->setAccessibleName(text);
    button->setAutoDefault(true); // Return presses the focused button
    connect(button, &QPushButton::clicked, this, [action] {
        if (action)
            action();
    });
    if (row != this)
        row->layout()->addWidget(button);
    return button;
}

std::function<void()> MenuBarContent::closingFirst(std::function<void()> action)
{
    return [this, action = std::move(action)] {
        close(); // deleted later, not before the action has run
        if (action)
            action();
    };
}

void MenuBarContent::showStatus(const DaemonManager::Status& status)
{
    using Kind = DaemonManager::Status::Kind;
    const StatusLook look = StatusLook::of(status.kind());
    m_symbol->setSymbol(look.symbol, look.tint);
    m_label->setText(status.label());

    const Kind kind = status.kind();
    m_stop->setVisible(kind == Kind::running || kind == Kind::starting);
    m_stop->setEnabled(kind == Kind::running);
    m_restart->setVisible(kind == Kind::running);
    m_start->setVisible(kind == Kind::stopped || kind == Kind::crashed);
}

void MenuBarContent::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MenuBarContent::mousePressEvent(QMouseEvent* event)
{
    // Qt closes a popup on a press outside it, then passes the press on; on
    // the tray icon that would open the panel again.
    if (!rect().contains(event->position().toPoint()) &&
        m_anchor.contains(event->globalPosition().toPoint()))
        setAttribute(Qt::WA_NoMouseReplay);
    QWidget::mousePressEvent(event);
}

void MenuBarContent::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // A popup has no frame of the window manager's: a thin line sets it off.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
