#include "ui/tabs/UpdatesSection.h"

#include "core/base/LocalizedDate.h"
#include "platform/UpdaterController.h"
#include "ui/DefaultsSwitch.h"
#include "ui/Style.h"
#include "ui/UpdateCheckFlow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

UpdatesSection::UpdatesSection(platform::UpdaterController& controller, UserDefaults& defaults,
                               UpdateCheckFlow& flow, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_flow(flow)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    auto* row = new QHBoxLayout;
    m_check = new QPushButton(tr("Check for updates now"), this);
    m_check->setAutoDefault(false);
    connect(m_check, &QPushButton::clicked, &m_flow, &UpdateCheckFlow::checkNow);
    row->addWidget(m_check);
    row->addStretch();
    column->addLayout(row);

    auto* automatic = new QCheckBox(tr("Automatically check for updates"), this);
    automatic->setChecked(m_controller.automaticallyChecksForUpdates());
    connect(automatic, &QCheckBox::toggled, this,
            [this](bool on) { m_controller.setAutomaticallyChecksForUpdates(on); });
    column->addWidget(automatic);
    column->addWidget(new DefaultsSwitch(tr("Receive beta updates"), defaults,
                                         DefaultsKeys::betaChannelEnabled, this));

    m_lastChecked = new QLabel(this);
    m_lastChecked->setWordWrap(true);
    Style::setTextStyle(m_lastChecked, TextStyle::caption);
    Style::setTint(m_lastChecked, SemanticColor::secondary);
    column->addWidget(m_lastChecked);

    // The check's own window tells its outcome; here only the date changes.
    connect(&m_flow, &UpdateCheckFlow::checkStarted, this, &UpdatesSection::showLastCheck);
    connect(&m_flow, &UpdateCheckFlow::checkEnded, this, &UpdatesSection::showLastCheck);
    showLastCheck();
}

void UpdatesSection::showLastCheck()
{
    m_check->setEnabled(!m_flow.isChecking());
    const std::optional<QDateTime> last = m_controller.lastUpdateCheckDate();
    m_lastChecked->setText(
        last ? tr("Last checked: %1").arg(LocalizedDate::abbreviatedWithShortTime(*last))
             : tr("Updates haven't been checked yet."));
}
