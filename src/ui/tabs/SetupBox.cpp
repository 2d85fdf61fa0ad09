#include "ui/tabs/SetupBox.h"

#include "ui/Style.h"
#include "ui/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr SetupRows::Check checks[] = {SetupRows::Check::certificate, SetupRows::Check::addIn,
                                       SetupRows::Check::accessibility};

QString symbolOf(SetupRows::Check check)
{
    switch (check) {
    case SetupRows::Check::certificate:
        return QStringLiteral("lock.slash");
    case SetupRows::Check::addIn:
        return QStringLiteral("puzzlepiece.extension");
    case SetupRows::Check::accessibility:
        return QStringLiteral("accessibility");
    }
    return {};
}

} // namespace

SetupBox::SetupBox(QWidget* parent)
    : QGroupBox(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(10);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(6);
    heading->addWidget(new SymbolView(QStringLiteral("exclamationmark.triangle.fill"),
                                      SemanticColor::orange, TextStyle::headline, this),
                       0, Qt::AlignVCenter);
    auto* title = new QLabel(tr("Setup needed"), this);
    Style::setTextStyle(title, TextStyle::headline);
    Style::setTint(title, SemanticColor::orange);
    heading->addWidget(title, 0, Qt::AlignVCenter);
    heading->addStretch();
    column->addLayout(heading);

    for (const SetupRows::Check check : checks) {
        m_rows.append(createRow(check));
        column->addWidget(m_rows.last().widget);
    }

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTextStyle(m_message, TextStyle::caption);
    Style::setTint(m_message, SemanticColor::secondary);
    m_message->hide();
    column->addWidget(m_message);
}

QPushButton* SetupBox::createButton(const QString& text, void (SetupBox::*signal)(),
                                    QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, signal);
    return button;
}

SetupBox::Row SetupBox::createRow(SetupRows::Check check)
{
    auto* widget = new QWidget(this);
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(
        new SymbolView(symbolOf(check), SemanticColor::orange, TextStyle::title3, widget), 0,
        Qt::AlignVCenter);

    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    auto* title = new QLabel(widget);
    text->addWidget(title);
    auto* explanation = new QLabel(widget);
    explanation->setWordWrap(true);
    Style::setTextStyle(explanation, TextStyle::caption);
    Style::setTint(explanation, SemanticColor::secondary);
    text->addWidget(explanation);
    // The text takes the room between symbol and button, the button the right edge.
    layout->addLayout(text, 1);

    switch (check) {
    case SetupRows::Check::certificate:
        m_installButton = createButton(tr("Install cert"), &SetupBox::installCertClicked, widget);
        layout->addWidget(m_installButton, 0, Qt::AlignVCenter);
        break;
    case SetupRows::Check::accessibility:
        layout->addWidget(createButton(tr("Open Settings"), &SetupBox::openSettingsClicked, widget),
                          0, Qt::AlignVCenter);
        break;
    case SetupRows::Check::addIn:
        break; // no button: its text sends the user to the add-in tab
    }
    widget->hide();
    return {widget, title, explanation};
}

void SetupBox::setProblems(const QList<SetupRows::Row>& problems)
{
    for (qsizetype index = 0; index < m_rows.size(); ++index) {
        const auto problem = std::find_if(problems.cbegin(), problems.cend(), [&](const auto& row) {
            return row.check == checks[index];
        });
        const Row& row = m_rows[index];
        row.widget->setVisible(problem != problems.cend());
        if (problem != problems.cend()) {
            row.title->setText(problem->title);
            row.explanation->setText(problem->explanation);
        }
    }
}

void SetupBox::setInstalling(bool installing)
{
    m_installButton->setText(installing ? tr("Installing…") : tr("Install cert"));
    m_installButton->setEnabled(!installing);
}

void SetupBox::setMessage(const std::optional<QString>& message)
{
    m_message->setText(message.value_or(QString()));
    m_message->setVisible(message.has_value());
}
