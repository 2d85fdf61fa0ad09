#pragma once

#include <QWidget>
#include <functional>

class QPushButton;

// One quick link: a label 110 wide in the secondary colour, then the value
// as an underlined link-style button that runs `action`.
class LinkRow : public QWidget
{
    Q_OBJECT

public:
    LinkRow(const QString& label, const QString& value, std::function<void()> action,
            QWidget* parent = nullptr);

    QPushButton* link() const { return m_link; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyLinkColour();

    QPushButton* m_link;
};
