#include "ui/tabs/DiagnosticsBox.h"

#include "core/base/ByteCountFormatter.h"
#include "core/support/SupportContacts.h"
#include "platform/Workspace.h"
#include "ui/BusyButton.h"
#include "ui/MessageLine.h"
#include "ui/Style.h"
#include "ui/SymbolView.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* plainButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

DiagnosticsBox::DiagnosticsBox(DiagnosticsBundle::Setup setup, platform::Workspace& workspace,
                               QWidget* parent)
    : QGroupBox(tr("Diagnostics bundle"), parent)
    , m_setup(std::move(setup))
    , m_workspace(workspace)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(12);

    auto* actions = new QHBoxLayout;
    m_generate = new BusyButton(tr("Generate diagnostics"), tr("Generating…"), this);
    Style::setProminent(m_generate);
    connect(m_generate, &QPushButton::clicked, this, &DiagnosticsBox::generate);
    actions->addWidget(m_generate);
    m_reveal = plainButton(tr("Reveal in Finder"), this);
    connect(m_reveal, &QPushButton::clicked, this, &DiagnosticsBox::reveal);
    actions->addWidget(m_reveal);
    m_compose = plainButton(tr("Compose email"), this);
    connect(m_compose, &QPushButton::clicked, this, &DiagnosticsBox::composeEmail);
    actions->addWidget(m_compose);
    actions->addStretch();
    column->addLayout(actions);

    column->addWidget(createResult());
    m_error = new MessageLine(QStringLiteral("xmark.octagon.fill"), SemanticColor::red,
                              TextStyle::body, this);
    column->addWidget(m_error);

    connect(&m_run, &QFutureWatcher<DiagnosticsBundle::Outcome>::finished, this,
            &DiagnosticsBox::generated);
    connect(&m_revealing, &QFutureWatcher<Result<Done>>::finished, this, [this] {
        if (m_revealing.future().resultCount() == 0 || m_revealing.result())
            return;
        m_lastError = m_revealing.result().error().localizedDescription();
        showState();
    });
    showState();
}

QWidget* DiagnosticsBox::createResult()
{
    m_result = new QWidget(this);
    auto* column = new QVBoxLayout(m_result);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* saved = new QHBoxLayout;
    saved->setSpacing(6);
    saved->addWidget(new SymbolView(QStringLiteral("checkmark.circle.fill"), SemanticColor::green,
                                    TextStyle::body, m_result),
                     0, Qt::AlignVCenter);
    auto* savedText = new QLabel(tr("Saved to Desktop"), m_result);
    Style::setTint(savedText, SemanticColor::green);
    saved->addWidget(savedText, 1);
    column->addLayout(saved);
    m_fileName = new QLabel(m_result);
    m_fileName->setFont(Fonts::monospaced(TextStyle::callout, QApplication::font()));
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_fileName->setWordWrap(true);
    Style::setTint(m_fileName, SemanticColor::secondary);
    column->addWidget(m_fileName);
    m_size = new QLabel(m_result);
    Style::setTextStyle(m_size, TextStyle::caption);
    Style::setTint(m_size, SemanticColor::secondary);
    column->addWidget(m_size);
    return m_result;
}

void DiagnosticsBox::generate()
{
    if (m_generating)
        return;
    m_generating = true;
    m_lastError.reset(); // the last archive stays on show while the next is made
    showState();
    m_run.setFuture(DiagnosticsBundle::generate(m_setup));
}

void DiagnosticsBox::generated()
{
    m_generating = false;
    if (m_run.future().resultCount() == 0) {
        m_lastError = tr("The diagnostics run was cancelled.");
    } else if (const DiagnosticsBundle::Outcome outcome = m_run.result(); outcome) {
        m_lastBundle = outcome.value();
    } else {
        m_lastError = outcome.error().localizedDescription();
    }
    showState();
}

void DiagnosticsBox::reveal()
{
    if (m_lastBundle)
        m_revealing.setFuture(m_workspace.reveal(m_lastBundle->url.toLocalFile()));
}

void DiagnosticsBox::composeEmail()
{
    if (!m_lastBundle)
        return;
    const QString fileName = QFileInfo(m_lastBundle->url.toLocalFile()).fileName();
    const Result<Done> opened = m_workspace.open(SupportContacts::supportRequestDraft(fileName));
    if (!opened) {
        m_lastError = opened.error().localizedDescription();
        showState();
    }
}

void DiagnosticsBox::showState()
{
    m_generate->setBusy(m_generating);

    m_reveal->setVisible(m_lastBundle.has_value());
    m_compose->setVisible(m_lastBundle.has_value());
    m_result->setVisible(m_lastBundle.has_value());
    if (m_lastBundle) {
        m_fileName->setText(QFileInfo(m_lastBundle->url.toLocalFile()).fileName());
        m_size->setText(ByteCountFormatter::fileString(m_lastBundle->bytes));
    }
    m_error->setMessage(m_lastError);
}
