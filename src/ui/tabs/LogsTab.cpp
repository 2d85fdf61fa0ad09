#include "ui/tabs/LogsTab.h"

#include "core/context/ApplicationContext.h"
#include "ui/ElidedLabel.h"
#include "ui/SegmentedPicker.h"
#include "ui/Style.h"
#include "ui/tabs/LogPane.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int pickerMaximumWidth = 360;

QPushButton* plainButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

LogsTab::LogsTab(ApplicationContext& context, QWidget* parent)
    : QWidget(parent)
    , m_model(new LogsModel(context.logDirectory(), context.services().fileWatcher, this))
    , m_workspace(context.services().workspace)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addLayout(createHeader());
    column->addLayout(createControls());

    m_pane = new LogPane(this);
    column->addWidget(m_pane, 1);

    m_path = new ElidedLabel(this);
    Style::setTextStyle(m_path, TextStyle::caption2);
    Style::setTint(m_path, SemanticColor::secondary);
    m_path->setText(m_model->filePath());
    column->addWidget(m_path);

    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTextStyle(m_problem, TextStyle::caption);
    Style::setTint(m_problem, SemanticColor::red);
    m_problem->hide();
    column->addWidget(m_problem);

    connect(m_model, &LogsModel::displayedReplaced, this,
            [this] { m_pane->showText(m_model->displayedContent()); });
    connect(m_model, &LogsModel::displayedEdited, m_pane, &LogPane::edit);
    connect(m_model, &LogsModel::contentReplaced, this, &LogsTab::followIfOn);
    connect(m_model, &LogsModel::contentAppended, this, &LogsTab::followIfOn);
    connect(&m_reveal, &QFutureWatcher<Result<Done>>::finished, this, &LogsTab::revealEnded);
}

QLayout* LogsTab::createHeader()
{
    auto* header = new QHBoxLayout;
    auto* title = new QLabel(tr("Logs"), this);
    Style::setTextStyle(title, TextStyle::title2, /*bold=*/true);
    header->addWidget(title);
    header->addStretch();
    QStringList labels;
    for (const LogsModel::Stream stream : LogsModel::streams)
        labels << (stream == LogsModel::Stream::stdout ? tr("Output (daemon.log)")
                                                       : tr("Errors (daemon.err)"));
    m_picker = new SegmentedPicker(tr("Stream"), labels, this);
    m_picker->setMaximumWidth(pickerMaximumWidth);
    connect(m_picker, &SegmentedPicker::currentIndexChanged, this,
            [this](int index) { selectStream(LogsModel::streams[std::size_t(index)]); });
    header->addWidget(m_picker);
    return header;
}

QLayout* LogsTab::createControls()
{
    auto* controls = new QHBoxLayout;
    controls->setSpacing(8);
    m_filter = new QLineEdit(this);
    m_filter->setPlaceholderText(tr("Filter"));
    m_filter->setAccessibleName(tr("Filter"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_model, &LogsModel::setFilter);
    controls->addWidget(m_filter, 1);

    m_follow = new QCheckBox(tr("Follow"), this);
    m_follow->setChecked(m_model->follow());
    connect(m_follow, &QCheckBox::toggled, m_model, &LogsModel::setFollow);
    controls->addWidget(m_follow);

    auto* copy = plainButton(tr("Copy"), this);
    connect(copy, &QPushButton::clicked, this, &LogsTab::copyShown);
    controls->addWidget(copy);
    auto* reveal = plainButton(tr("Reveal"), this);
    connect(reveal, &QPushButton::clicked, this, &LogsTab::reveal);
    controls->addWidget(reveal);
    auto* clear = plainButton(tr("Clear view"), this);
    connect(clear, &QPushButton::clicked, m_model, &LogsModel::clear);
    controls->addWidget(clear);
    return controls;
}

void LogsTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_model->isBound())
        bind();
}

void LogsTab::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A minimized window keeps following; a closed one or another tab does not.
    if (!event->spontaneous())
        m_model->unbind();
}

void LogsTab::bind()
{
    const Result<Done> bound = m_model->rebindTailer();
    if (bound)
        m_problem->hide();
    else
        showProblem(tr("Not following %1: %2")
                        .arg(m_model->filePath(), bound.error().localizedDescription()));
}

void LogsTab::selectStream(LogsModel::Stream stream)
{
    // Bound afresh here rather than by the model, to learn how it went.
    const bool bound = m_model->isBound();
    m_model->unbind();
    m_model->setStream(stream);
    m_path->setText(m_model->filePath());
    if (bound)
        bind();
}

void LogsTab::copyShown()
{
    QGuiApplication::clipboard()->setText(m_model->displayedContent());
}

void LogsTab::reveal()
{
    m_reveal.setFuture(m_workspace->reveal(m_model->filePath()));
}

void LogsTab::revealEnded()
{
    if (m_reveal.future().resultCount() == 0)
        return;
    const Result<Done> revealed = m_reveal.result();
    if (revealed)
        m_problem->hide();
    else
        showProblem(revealed.error().localizedDescription());
}

void LogsTab::followIfOn()
{
    if (m_model->follow())
        m_pane->scrollToEnd();
}

void LogsTab::showProblem(const QString& text)
{
    m_problem->setText(text);
    m_problem->show();
}
