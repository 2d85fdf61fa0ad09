#include "ui/UpdateCheckFlow.h"

#include "core/base/Bundle.h"
#include "ui/UpdateDialog.h"

#include <QGridLayout>
#include <QMessageBox>

namespace {

constexpr int messageWidth = 420;

} // namespace

UpdateCheckFlow::UpdateCheckFlow(platform::UpdaterController& controller,
                                 platform::Workspace& workspace, QString currentVersion,
                                 QWidget* dialogParent, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_workspace(workspace)
    , m_currentVersion(std::move(currentVersion))
    , m_dialogParent(dialogParent)
{
    connect(&m_check, &QFutureWatcher<Result<platform::UpdateCheck>>::finished, this,
            &UpdateCheckFlow::checkFinished);
}

UpdateCheckFlow::~UpdateCheckFlow()
{
    // Its windows reach the controller and the workspace: they go first.
    closeShownWindow();
}

QString UpdateCheckFlow::currentVersion(const Bundle& bundle)
{
    return bundle.infoString(QStringLiteral("CFBundleShortVersionString")).trimmed();
}

void UpdateCheckFlow::checkNow()
{
    if (isChecking())
        return; // the answer to the check under way answers this one too
    m_check.setFuture(m_controller.checkForUpdates());
    Q_EMIT checkStarted();
}

void UpdateCheckFlow::checkFinished()
{
    if (m_check.future().resultCount() == 0) {
        showMessage(true, tr("Update Error!"), tr("The update check was cancelled."));
    } else if (const Result<platform::UpdateCheck> checked = m_check.result(); !checked) {
        showMessage(true, tr("Update Error!"), checked.error().localizedDescription());
    } else if (const auto& update = checked.value().update) {
        showFound(*update);
    } else {
        showMessage(false, tr("You’re up to date!"),
                    m_currentVersion.isEmpty()
                        ? tr("Zentrope is currently the newest version available.")
                        : tr("Zentrope %1 is currently the newest version available.")
                              .arg(m_currentVersion));
    }
    Q_EMIT checkEnded();
}

void UpdateCheckFlow::showFound(const platform::AvailableUpdate& update)
{
    if (m_dialog && m_dialog->update().version == update.version) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    closeShownWindow();
    m_dialog = new UpdateDialog(update, m_currentVersion, m_controller, m_workspace,
                                m_dialogParent ? m_dialogParent->window() : nullptr);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void UpdateCheckFlow::showMessage(bool failed, const QString& text, const QString& detail)
{
    closeShownWindow();
    m_message = new QMessageBox(failed ? QMessageBox::Warning : QMessageBox::Information,
                                tr("Software Update"), text, QMessageBox::Ok,
                                m_dialogParent ? m_dialogParent->window() : nullptr);
    m_message->setInformativeText(detail);
    // A message box is as narrow as its words allow; this one reads as a line.
    if (auto* grid = qobject_cast<QGridLayout*>(m_message->layout()))
        grid->addItem(new QSpacerItem(messageWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    m_message->setAttribute(Qt::WA_DeleteOnClose);
    m_message->setModal(false);
    m_message->show();
    m_message->raise();
    m_message->activateWindow();
}

QWidget* UpdateCheckFlow::shownWindow() const
{
    if (m_dialog)
        return m_dialog;
    return m_message;
}

void UpdateCheckFlow::closeShownWindow()
{
    delete m_dialog.data();
    delete m_message.data();
}
