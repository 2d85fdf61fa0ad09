#include "ui/tabs/LoginItemRow.h"

#include "core/setup/LaunchAtLogin.h"
#include "ui/Style.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

using Status = platform::LoginItem::Status;

LoginItemRow::LoginItemRow(platform::LoginItem& loginItem, QWidget* parent)
    : QWidget(parent)
    , m_loginItem(loginItem)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    m_switch = new QCheckBox(tr("Open Zentrope at login"), this);
    m_switch->setChecked(m_loginItem.status() == Status::enabled);
    connect(m_switch, &QCheckBox::toggled, this, &LoginItemRow::switched);
    column->addWidget(m_switch);

    m_caption = new QLabel(this);
    m_caption->setWordWrap(true);
    Style::setTextStyle(m_caption, TextStyle::caption);
    Style::setTint(m_caption, SemanticColor::secondary);
    column->addWidget(m_caption);

    m_error = new QLabel(this);
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTextStyle(m_error, TextStyle::caption);
    Style::setTint(m_error, SemanticColor::red);
    m_error->hide();
    column->addWidget(m_error);

    updateCaption();
}

void LoginItemRow::switched(bool on)
{
    const Result<Done> changed = LaunchAtLogin::set(m_loginItem, on);
    if (changed) {
        m_error->hide();
    } else {
        m_error->setText(changed.error().localizedDescription());
        m_error->show();
        // The switch shows what the system has now. Setting it back is no
        // new request: asking again would only clear the error just shown.
        const QSignalBlocker quiet(m_switch);
        m_switch->setChecked(m_loginItem.status() == Status::enabled);
    }
    updateCaption();
}

void LoginItemRow::updateCaption()
{
    m_caption->setText(
        m_loginItem.status() == Status::requiresApproval
            ? tr("Turned off in System Settings → General → Login Items. Office can’t start "
                 "Zentrope on its own, so the add-in will show “Can’t reach the helper” until "
                 "you launch it.")
            : tr("Office can’t start Zentrope on its own — with this off, the add-in shows "
                 "“Can’t reach the helper” until you launch the app after a restart."));
}

void LoginItemRow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateCaption();
}

void LoginItemRow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Back from the system's settings, say.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        updateCaption();
}
