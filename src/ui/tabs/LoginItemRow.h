#pragma once

#include <QWidget>

namespace platform {
class LoginItem;
}

class QCheckBox;
class QLabel;

// The status tab's "Open Zentrope at login" switch, with the caption the
// login item's state calls for and the last failure of changing it.
class LoginItemRow : public QWidget
{
    Q_OBJECT

public:
    explicit LoginItemRow(platform::LoginItem& loginItem, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void switched(bool on);
    // Read from the service every time: the user may change it in the
    // system's settings meanwhile.
    void updateCaption();

    platform::LoginItem& m_loginItem;
    QCheckBox* m_switch;
    QLabel* m_caption;
    QLabel* m_error;
};
