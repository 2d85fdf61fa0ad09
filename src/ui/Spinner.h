#pragma once

#include <QBasicTimer>
#include <QWidget>

// The small indeterminate progress indicator: twelve spokes turning while it
// is on screen (its timer stops when it is hidden).
class Spinner : public QWidget
{
    Q_OBJECT

public:
    explicit Spinner(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {16, 16}; }
    bool isSpinning() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer m_timer;
    int m_step = 0;
};
