#include "ui/tabs/StatusTab.h"

#include "core/api/DaemonStatusRows.h"
#include "core/context/ApplicationContext.h"
#include "core/setup/SetupRows.h"
#include "ui/Style.h"
#include "ui/tabs/DaemonStatusArea.h"
#include "ui/tabs/LoginItemRow.h"
#include "ui/tabs/SetupBox.h"

#include <QLabel>
#include <QVBoxLayout>

StatusTab::StatusTab(ApplicationContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_daemon(context.daemonManager())
    , m_poller(new StatusPoller(m_daemon, context.daemonChannel(), this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* title = new QLabel(tr("Status"), this);
    Style::setTextStyle(title, TextStyle::title2, /*bold=*/true);
    column->addWidget(title);

    m_setupBox = new SetupBox(this);
    m_setupBox->hide();
    connect(m_setupBox, &SetupBox::installCertClicked, this, &StatusTab::installCert);
    connect(m_setupBox, &SetupBox::openSettingsClicked, this,
            [this] { SetupCheck::openAccessibilitySettings(*m_context.services().accessibility); });
    column->addWidget(m_setupBox);

    m_statusArea = new DaemonStatusArea(this);
    column->addWidget(m_statusArea);

    m_error = new QLabel(this);
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTextStyle(m_error, TextStyle::callout);
    Style::setTint(m_error, SemanticColor::red);
    column->addWidget(m_error);

    column->addWidget(new LoginItemRow(*context.services().loginItem, this));
    column->addStretch();

    connect(m_poller, &StatusPoller::changed, this, &StatusTab::showDaemonStatus);
    connect(&m_daemon, &DaemonManager::statusChanged, this, &StatusTab::showDaemonStatus);
    connect(m_poller, &StatusPoller::accessibilityChanged, this, &StatusTab::evaluateSetup);
    connect(&m_evaluation, &QFutureWatcher<SetupCheck::State>::finished, this,
            &StatusTab::setupEvaluated);
    connect(&m_installation, &QFutureWatcher<Result<QString>>::finished, this,
            &StatusTab::certInstallEnded);

    showDaemonStatus();
    evaluateSetup();
}

void StatusTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_poller->setActive(true);
}

void StatusTab::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_poller->setActive(false);
}

void StatusTab::showDaemonStatus()
{
    if (const auto& status = m_poller->status())
        m_statusArea->showRows(DaemonStatusRows::rows(*status));
    else if (m_poller->isQuerying())
        m_statusArea->showQuerying();
    else
        m_statusArea->showNotRunning(DaemonStatusRows::notRunningLine(m_daemon.status()));
    m_error->setText(m_poller->lastError().value_or(QString()));
    m_error->setVisible(m_poller->lastError().has_value());
}

void StatusTab::evaluateSetup()
{
    const platform::Services& services = m_context.services();
    // A later evaluation replaces one still under way: its answer is the newer.
    m_evaluation.setFuture(
        SetupCheck::evaluateAsync(services.certificateTrust, services.accessibility));
}

void StatusTab::setupEvaluated()
{
    if (m_evaluation.isCanceled() || m_evaluation.future().resultCount() == 0)
        return;
    m_setupState = m_evaluation.result();
    if (m_messageAfterEvaluation) {
        m_setupMessage = std::exchange(m_messageAfterEvaluation, std::nullopt);
        m_installingCert = false;
    }
    showSetup();
}

void StatusTab::showSetup()
{
    const QList<SetupRows::Row> problems =
        m_setupState ? SetupRows::problems(*m_setupState) : QList<SetupRows::Row>();
    m_setupBox->setProblems(problems);
    m_setupBox->setInstalling(m_installingCert);
    m_setupBox->setMessage(m_setupMessage);
    m_setupBox->setVisible(!problems.isEmpty());
}

void StatusTab::installCert()
{
    if (m_installingCert)
        return;
    m_installingCert = true;
    m_setupMessage.reset();
    showSetup();
    m_installation.setFuture(SetupCheck::installCert(m_context.bundle()));
}

void StatusTab::certInstallEnded()
{
    if (m_installation.isCanceled() || m_installation.future().resultCount() == 0) {
        m_installingCert = false; // nothing came back to tell
        showSetup();
        return;
    }
    const Result<QString> installed = m_installation.result();
    if (installed) {
        // The button stays busy until the setup is known again, as the
        // message belongs with what that evaluation shows.
        m_messageAfterEvaluation = SetupRows::certificateInstalled();
        evaluateSetup();
        return;
    }
    m_setupMessage = installed.error().localizedDescription();
    m_installingCert = false;
    showSetup();
}
