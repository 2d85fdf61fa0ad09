#pragma once

#include <QWidget>

class DefaultsSwitch;
class QCheckBox;
class QLabel;
class QPushButton;
class UpdateCheckFlow;
class UserDefaults;

namespace platform {
class UpdaterController;
}

// The support tab's update settings: a check on request (through the update
// flow, which shows what it finds), whether the updater checks by itself,
// whether beta releases are offered, and when the last check was. The
// settings are read when the section is made and written at each change;
// the last check is read again when a check asked for here starts and ends.
class UpdatesSection : public QWidget
{
    Q_OBJECT

public:
    UpdatesSection(platform::UpdaterController& controller, UserDefaults& defaults,
                   UpdateCheckFlow& flow, QWidget* parent = nullptr);

private:
    void showLastCheck();

    platform::UpdaterController& m_controller;
    UpdateCheckFlow& m_flow;
    QPushButton* m_check;
    QLabel* m_lastChecked;
};
