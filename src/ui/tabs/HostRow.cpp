#include "ui/tabs/HostRow.h"

#include "ui/Style.h"
#include "ui/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HostRow::HostRow(OfficeHost host, QWidget* parent)
    : QWidget(parent)
    , m_host(host)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->setSpacing(12);

    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(new QLabel(host.displayName(), this));
    auto* status = new QHBoxLayout;
    status->setSpacing(4);
    m_sideloadedMark = new SymbolView(QStringLiteral("checkmark.circle.fill"), SemanticColor::green,
                                      TextStyle::caption, this);
    status->addWidget(m_sideloadedMark, 0, Qt::AlignVCenter);
    m_statusLine = new QLabel(this);
    Style::setTextStyle(m_statusLine, TextStyle::caption);
    Style::setTint(m_statusLine, SemanticColor::secondary);
    status->addWidget(m_statusLine, 0, Qt::AlignVCenter);
    status->addStretch();
    text->addLayout(status);
    row->addLayout(text);
    row->addStretch();

    m_notInstalled = new QLabel(tr("Not installed"), this);
    Style::setTextStyle(m_notInstalled, TextStyle::caption);
    Style::setTint(m_notInstalled, SemanticColor::secondary);
    row->addWidget(m_notInstalled, 0, Qt::AlignVCenter);
    m_install = addButton(&HostRow::installClicked);
    m_remove = addButton(&HostRow::removeClicked);
    m_remove->setText(tr("Remove"));
    m_reveal = addButton(&HostRow::revealClicked);
    m_reveal->setText(tr("Reveal"));
    m_reveal->setAccessibleName(tr("Reveal %1’s folder").arg(host.displayName()));
    m_remove->setAccessibleName(tr("Remove from %1").arg(host.displayName()));

    showSnapshot({host, false, false, false});
}

QPushButton* HostRow::addButton(void (HostRow::*clicked)())
{
    auto* button = new QPushButton(this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, clicked);
    layout()->addWidget(button);
    return button;
}

void HostRow::showSnapshot(const HostSnapshot& snapshot)
{
    const bool installed = snapshot.installed;
    m_sideloadedMark->setVisible(installed && snapshot.sideloaded);
    m_statusLine->setText(snapshot.statusLabel());
    m_notInstalled->setVisible(!installed);

    m_install->setText(snapshot.sideloaded ? tr("Reinstall") : tr("Install"));
    // Three rows have such buttons: the name says which host each is for.
    m_install->setAccessibleName(snapshot.sideloaded
                                     ? tr("Reinstall into %1").arg(m_host.displayName())
                                     : tr("Install into %1").arg(m_host.displayName()));
    m_install->setVisible(installed);
    m_remove->setVisible(installed && snapshot.sideloaded);
    m_reveal->setVisible(installed);
}
