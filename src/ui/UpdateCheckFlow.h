#pragma once

#include "core/base/Result.h"
#include "platform/UpdaterController.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>

class Bundle;
class QMessageBox;
class UpdateDialog;

namespace platform {
class Workspace;
}

// What the user sees of update checks, as update frameworks show it:
//  - checkNow(), a check the user asked for ("Check for updates…", "Check
//    for updates now"): an update found opens the update dialog; none says
//    that Zentrope is up to date; a failure shows its error.
//  - showFound(), for an update that a scheduled check found (connect the
//    controller's update-found handler to it); scheduled checks say nothing
//    otherwise.
// One check runs at a time, and one window shows at a time: a second
// announcement of the version on screen brings its dialog forward.
//
// The windows are top-level, over `dialogParent` when one is given, and
// close by themselves; the flow must outlive neither the controller nor the
// workspace (the application context owns both).
class UpdateCheckFlow : public QObject
{
    Q_OBJECT

public:
    // `currentVersion` is the version the user knows (CFBundleShortVersionString).
    UpdateCheckFlow(platform::UpdaterController& controller, platform::Workspace& workspace,
                    QString currentVersion, QWidget* dialogParent = nullptr,
                    QObject* parent = nullptr);
    ~UpdateCheckFlow() override;

    // The version `bundle` shows users.
    static QString currentVersion(const Bundle& bundle);

    void checkNow();
    void showFound(const platform::AvailableUpdate& update);

    bool isChecking() const { return m_check.isRunning(); }
    // The update dialog or the message now on screen, if any.
    QWidget* shownWindow() const;

Q_SIGNALS:
    // A check the user asked for began, or ended (its answer is on screen).
    void checkStarted();
    void checkEnded();

private:
    void checkFinished();
    void showMessage(bool failed, const QString& text, const QString& detail);
    void closeShownWindow();

    platform::UpdaterController& m_controller;
    platform::Workspace& m_workspace;
    const QString m_currentVersion;
    QPointer<QWidget> m_dialogParent;
    QFutureWatcher<Result<platform::UpdateCheck>> m_check;
    QPointer<UpdateDialog> m_dialog;
    QPointer<QMessageBox> m_message;
};
