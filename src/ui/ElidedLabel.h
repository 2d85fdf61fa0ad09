#pragma once

#include <QWidget>

// One line of text that, when narrower than the text, shows its middle as
// "…" rather than widening its window; the whole text is its tooltip and its
// accessible name. Font and colour are the widget's (Style).
class ElidedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
