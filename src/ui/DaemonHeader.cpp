#include "ui/DaemonHeader.h"

#include "ui/Spinner.h"
#include "ui/StatusLook.h"
#include "ui/Style.h"
#include "ui/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using Kind = DaemonManager::Status::Kind;

DaemonHeader::DaemonHeader(DaemonManager& daemon, QWidget* parent)
    : QWidget(parent)
    , m_daemon(daemon)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(12);

    m_symbol =
        new SymbolView(QStringLiteral("circle"), SemanticColor::secondary, TextStyle::title3, this);
    row->addWidget(m_symbol, 0, Qt::AlignVCenter);

    auto* text = new QVBoxLayout;
    text->setSpacing(0);
    auto* caption = new QLabel(tr("Daemon"), this);
    Style::setTextStyle(caption, TextStyle::subheadline);
    Style::setTint(caption, SemanticColor::secondary);
    m_label = new QLabel(this);
    Style::setTextStyle(m_label, TextStyle::body);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->addWidget(caption);
    text->addWidget(m_label);
    row->addLayout(text);
    row->addStretch();

    m_controls = new QWidget(this);
    auto* controls = new QHBoxLayout(m_controls);
    controls->setContentsMargins(0, 0, 0, 0);
    m_restart = addButton(tr("Restart"), &DaemonManager::restart);
    m_stop = addButton(tr("Stop"), &DaemonManager::stop);
    m_start = addButton(tr("Start"), &DaemonManager::start);
    Style::setProminent(m_start);
    m_spinner = new Spinner(m_controls);
    m_spinner->setAccessibleName(tr("Starting…"));
    controls->addWidget(m_spinner, 0, Qt::AlignVCenter);
    // The row keeps its height whichever controls the state shows.
    m_controls->setMinimumHeight(m_start->sizeHint().height());
    row->addWidget(m_controls, 0, Qt::AlignVCenter);

    connect(&m_daemon, &DaemonManager::statusChanged, this, &DaemonHeader::showStatus);
    showStatus(m_daemon.status());
}

QPushButton* DaemonHeader::addButton(const QString& text, void (DaemonManager::*action)())
{
    auto* button = new QPushButton(text, m_controls);
    button->setAccessibleName(text);
    button->setAutoDefault(false);
    // The button only asks; the status change that follows redraws the row.
    connect(button, &QPushButton::clicked, &m_daemon, action);
    m_controls->layout()->addWidget(button);
    return button;
}

void DaemonHeader::showStatus(const DaemonManager::Status& status)
{
    const StatusLook look = StatusLook::of(status.kind());
    m_symbol->setSymbol(look.symbol, look.tint);
    m_label->setText(status.label());

    const Kind kind = status.kind();
    m_restart->setVisible(kind == Kind::running);
    m_stop->setVisible(kind == Kind::running);
    m_start->setVisible(kind == Kind::crashed || kind == Kind::stopped);
    m_spinner->setVisible(kind == Kind::starting);
}
