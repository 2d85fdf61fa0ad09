#pragma once

#include <QPushButton>

class QLabel;
class Spinner;

// A push button whose label, while its work goes on, is a small spinner
// followed by a busy text ("Generating…"); it is disabled meanwhile, so a
// second press starts nothing.
class BusyButton : public QPushButton
{
    Q_OBJECT

public:
    BusyButton(const QString& text, const QString& busyText, QWidget* parent = nullptr);

    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    const QString m_text;
    bool m_busy = false;
    Spinner* m_spinner;
    QLabel* m_busyLabel;
};
