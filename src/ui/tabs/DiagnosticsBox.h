#pragma once

#include "core/base/Result.h"
#include "core/support/DiagnosticsBundle.h"

#include <QFutureWatcher>
#include <QGroupBox>
#include <optional>

class BusyButton;
class MessageLine;
class QLabel;
class QPushButton;

namespace platform {
class Workspace;
}

// The support tab's "Diagnostics bundle" box: generates the archive (one run
// at a time: the button is disabled from the press to the run's end), then
// shows where it went, its size, and offers to reveal it or to start an
// e-mail to support about it. A failed run shows its error beside the last
// success, which stays.
class DiagnosticsBox : public QGroupBox
{
    Q_OBJECT

public:
    DiagnosticsBox(DiagnosticsBundle::Setup setup, platform::Workspace& workspace,
                   QWidget* parent = nullptr);

    bool isGenerating() const { return m_generating; }

private:
    QWidget* createResult();
    void generate();
    void generated();
    void reveal();
    void composeEmail();
    void showState();

    const DiagnosticsBundle::Setup m_setup;
    platform::Workspace& m_workspace;

    // View state.
    bool m_generating = false;
    std::optional<DiagnosticsBundle::Result> m_lastBundle;
    std::optional<QString> m_lastError;

    BusyButton* m_generate;
    QPushButton* m_reveal;
    QPushButton* m_compose;
    QWidget* m_result;
    QLabel* m_fileName;
    QLabel* m_size;
    MessageLine* m_error;
    QFutureWatcher<DiagnosticsBundle::Outcome> m_run;
    QFutureWatcher<Result<Done>> m_revealing;
};
