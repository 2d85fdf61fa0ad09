#pragma once

#include "core/api/StatusPoller.h"
#include "core/base/Result.h"
#include "core/setup/SetupCheck.h"

#include <QFutureWatcher>
#include <QWidget>
#include <optional>

class ApplicationContext;
class DaemonStatusArea;
class QLabel;
class SetupBox;

// The first tab: is the daemon answering and with which permissions (asked
// every 2 seconds while the tab is on screen), is the machine set up for the
// add-in, and does Zentrope start at login. It keeps only what it shows;
// the polling and every rule are core's.
//
// The setup is evaluated off the main thread, when the tab is made, after a
// certificate installation that succeeded, and when the daemon reports a
// different accessibility value; each result replaces the one before. Until
// the first one arrives no setup box shows: nothing is known to be wrong yet.
class StatusTab : public QWidget
{
    Q_OBJECT

public:
    explicit StatusTab(ApplicationContext& context, QWidget* parent = nullptr);

    // For tests: the polling, and the last setup evaluated.
    StatusPoller& poller() { return *m_poller; }
    const std::optional<SetupCheck::State>& setupState() const { return m_setupState; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showDaemonStatus();
    void showSetup();
    void evaluateSetup();
    void setupEvaluated();
    void installCert();
    void certInstallEnded();

    ApplicationContext& m_context;
    DaemonManager& m_daemon;
    StatusPoller* m_poller; // a child, so it goes with the view
    SetupBox* m_setupBox;
    DaemonStatusArea* m_statusArea;
    QLabel* m_error;

    QFutureWatcher<SetupCheck::State> m_evaluation;
    QFutureWatcher<Result<QString>> m_installation;
    std::optional<SetupCheck::State> m_setupState;
    bool m_installingCert = false;
    std::optional<QString> m_setupMessage;
    // A successful installation's message, shown with the setup evaluated after it.
    std::optional<QString> m_messageAfterEvaluation;
};
