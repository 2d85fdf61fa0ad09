#include "ui/tabs/DaemonStatusArea.h"

#include "ui/Spinner.h"
#include "ui/Style.h"
#include "ui/SymbolView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QWidget* valueCell(const DaemonStatusRows::Row& row, QWidget* parent)
{
    auto* cell = new QWidget(parent);
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new SymbolView(row.ok ? QStringLiteral("checkmark.circle.fill")
                                            : QStringLiteral("exclamationmark.circle.fill"),
                                     row.ok ? SemanticColor::green : SemanticColor::orange,
                                     TextStyle::body, cell),
                      0, Qt::AlignVCenter);
    auto* value = new QLabel(row.value, cell);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long value ("Denied — open System Settings → …") wraps in a narrow window.
    value->setWordWrap(true);
    layout->addWidget(value, 1, Qt::AlignVCenter);
    return cell;
}

} // namespace

DaemonStatusArea::DaemonStatusArea(QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    m_grid = new QWidget(this);
    auto* grid = new QGridLayout(m_grid);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    column->addWidget(m_grid);

    m_querying = new QWidget(this);
    auto* querying = new QHBoxLayout(m_querying);
    querying->setContentsMargins(0, 0, 0, 0);
    auto* spinner = new Spinner(m_querying);
    spinner->setAccessibleName(DaemonStatusRows::queryingText());
    querying->addWidget(spinner, 0, Qt::AlignVCenter);
    querying->addWidget(new QLabel(DaemonStatusRows::queryingText(), m_querying), 0,
                        Qt::AlignVCenter);
    querying->addStretch();
    column->addWidget(m_querying);

    m_notRunning = new QLabel(this);
    Style::setTint(m_notRunning, SemanticColor::secondary);
    column->addWidget(m_notRunning);
}

void DaemonStatusArea::showRows(const QList<DaemonStatusRows::Row>& rows)
{
    if (rows != m_rows)
        rebuildGrid(rows);
    showOnly(m_grid);
}

void DaemonStatusArea::showQuerying()
{
    showOnly(m_querying);
}

void DaemonStatusArea::showNotRunning(const QString& sentence)
{
    m_notRunning->setText(sentence);
    showOnly(m_notRunning);
}

void DaemonStatusArea::showOnly(QWidget* part)
{
    for (QWidget* each : {m_grid, m_querying, static_cast<QWidget*>(m_notRunning)})
        each->setVisible(each == part);
}

void DaemonStatusArea::rebuildGrid(const QList<DaemonStatusRows::Row>& rows)
{
    auto* grid = static_cast<QGridLayout*>(m_grid->layout());
    while (QLayoutItem* item = grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int index = 0; index < rows.size(); ++index) {
        auto* label = new QLabel(rows[index].label, m_grid);
        Style::setTint(label, SemanticColor::secondary);
        grid->addWidget(label, index, 0);
        grid->addWidget(valueCell(rows[index], m_grid), index, 1);
    }
    // The values take the rest of the width, so they wrap only when it runs out.
    grid->setColumnStretch(1, 1);
    m_rows = rows;
}
