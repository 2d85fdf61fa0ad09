#include "ui/tabs/CrashReportsList.h"

#include "core/base/LocalizedDate.h"
#include "platform/Workspace.h"
#include "ui/MessageLine.h"
#include "ui/Style.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QPushButton* plainButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CrashReportsList::CrashReportsList(platform::Workspace& workspace, QString directory,
                                   QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_directory(std::move(directory))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    m_empty = new QLabel(tr("No crash reports mentioning Zentrope."), this);
    m_empty->setWordWrap(true);
    Style::setTextStyle(m_empty, TextStyle::callout);
    Style::setTint(m_empty, SemanticColor::secondary);
    column->addWidget(m_empty);
    m_rows = new QVBoxLayout;
    m_rows->setSpacing(6);
    column->addLayout(m_rows);

    auto* buttons = new QHBoxLayout;
    auto* refresh = plainButton(tr("Refresh"), this);
    connect(refresh, &QPushButton::clicked, this, &CrashReportsList::reload);
    buttons->addWidget(refresh);
    auto* openFolder = plainButton(tr("Open reports folder"), this);
    connect(openFolder, &QPushButton::clicked, this, [this] { reveal(m_directory); });
    buttons->addWidget(openFolder);
    buttons->addStretch();
    column->addLayout(buttons);

    m_error = new MessageLine(QStringLiteral("xmark.octagon.fill"), SemanticColor::red,
                              TextStyle::caption, this);
    column->addWidget(m_error);
    connect(&m_reveal, &QFutureWatcher<Result<Done>>::finished, this, [this] {
        if (m_reveal.future().resultCount() == 0)
            return;
        const Result<Done> revealed = m_reveal.result();
        m_error->setMessage(revealed ? std::nullopt
                                     : std::optional(revealed.error().localizedDescription()));
    });
}

void CrashReportsList::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        reload();
}

void CrashReportsList::reload()
{
    m_reports = CrashReports::recent(limit, m_directory);
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const CrashReports::Report& report : std::as_const(m_reports)) {
        QWidget* row = createRow(report);
        m_rows->addWidget(row);
        row->show(); // now, not once the layout gets round to it
    }
    m_empty->setVisible(m_reports.isEmpty());
}

QWidget* CrashReportsList::createRow(const CrashReports::Report& report)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* text = new QVBoxLayout;
    text->setSpacing(1);
    const QString path = report.url.toLocalFile();
    const QString name = QFileInfo(path).fileName();
    auto* fileName = new QLabel(name, row);
    fileName->setFont(Fonts::monospaced(TextStyle::callout, QApplication::font()));
    fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->addWidget(fileName);
    auto* date = new QLabel(report.createdAt == CrashReports::distantPast()
                                ? tr("Date unknown")
                                : LocalizedDate::abbreviatedWithShortTime(report.createdAt),
                            row);
    Style::setTextStyle(date, TextStyle::caption);
    Style::setTint(date, SemanticColor::secondary);
    text->addWidget(date);
    layout->addLayout(text, 1);
    auto* revealButton = plainButton(tr("Reveal"), row);
    revealButton->setAccessibleName(tr("Reveal %1").arg(name));
    connect(revealButton, &QPushButton::clicked, this, [this, path] { reveal(path); });
    layout->addWidget(revealButton, 0, Qt::AlignVCenter);
    return row;
}

void CrashReportsList::reveal(const QString& path)
{
    m_reveal.setFuture(m_workspace.reveal(path));
}
