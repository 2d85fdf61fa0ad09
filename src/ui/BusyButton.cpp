#include "ui/BusyButton.h"

#include "ui/Spinner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyleOptionButton>

namespace {

constexpr int spacing = 6;

} // namespace

BusyButton::BusyButton(const QString& text, const QString& busyText, QWidget* parent)
    : QPushButton(text, parent)
    , m_text(text)
{
    setAutoDefault(false);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    row->addStretch();
    m_spinner = new Spinner(this);
    row->addWidget(m_spinner, 0, Qt::AlignVCenter);
    m_busyLabel = new QLabel(busyText, this);
    row->addWidget(m_busyLabel, 0, Qt::AlignVCenter);
    row->addStretch();
    m_spinner->hide();
    m_busyLabel->hide();
    setAccessibleName(text);
}

void BusyButton::setBusy(bool busy)
{
    m_busy = busy;
    setEnabled(!busy);
    setText(busy ? QString() : m_text);
    m_spinner->setVisible(busy);
    m_busyLabel->setVisible(busy);
    setAccessibleName(busy ? m_busyLabel->text() : m_text);
    updateGeometry();
}

QSize BusyButton::sizeHint() const
{
    if (!m_busy)
        return QPushButton::sizeHint();
    // The style's button around the spinner and the busy text.
    const QSize spinner = m_spinner->sizeHint();
    const QFontMetrics metrics = fontMetrics();
    const QSize content(spinner.width() + spacing + metrics.horizontalAdvance(m_busyLabel->text()),
                        std::max(spinner.height(), metrics.height()));
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, content, this);
}
