#pragma once

#include "core/base/Result.h"
#include "core/logs/LogsModel.h"

#include <QFutureWatcher>
#include <QWidget>

class ApplicationContext;
class ElidedLabel;
class LogPane;
class QCheckBox;
class QLabel;
class QLineEdit;
class SegmentedPicker;

namespace platform {
class Workspace;
}

// The daemon's two logs, live: the tail of the chosen file and whatever the
// daemon writes to it while the tab is on screen, with a line filter, the
// follow switch, copying what is shown, revealing the file and clearing the
// view. The text and its rules are the LogsModel's; the tab shows its
// display and hands it the user's choices.
//
// The tab fills the window's content area and its pane scrolls by itself.
// The pane is kept in step by edits, so a daemon writing megabytes a second
// costs only what arrives.
class LogsTab : public QWidget
{
    Q_OBJECT

public:
    explicit LogsTab(ApplicationContext& context, QWidget* parent = nullptr);

    // For tests: the model under the view, and the pane.
    LogsModel& model() { return *m_model; }
    LogPane& pane() { return *m_pane; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLayout* createHeader();
    QLayout* createControls();
    void bind();
    void selectStream(LogsModel::Stream stream);
    void copyShown();
    void reveal();
    void revealEnded();
    void followIfOn();
    void showProblem(const QString& text);

    LogsModel* m_model; // a child: it goes with the view
    std::shared_ptr<platform::Workspace> m_workspace;
    SegmentedPicker* m_picker;
    QLineEdit* m_filter;
    QCheckBox* m_follow;
    LogPane* m_pane;
    ElidedLabel* m_path;
    QLabel* m_problem;
    QFutureWatcher<Result<Done>> m_reveal;
};
