#include "ui/MainWindow.h"

#include "ui/DaemonHeader.h"
#include "ui/SidebarDelegate.h"
#include "ui/Style.h"
#include "ui/Symbols.h"
#include "ui/TabViews.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int sidebarMinimumWidth = 160;
constexpr int sidebarIdealWidth = 180;
constexpr int sidebarMaximumWidth = 220;
constexpr int contentInset = 16;
constexpr int sidebarInset = 8; // above the first row and below the last

} // namespace

MainWindow::MainWindow(DaemonManager& daemon, const TabViews& views, QWidget* parent)
    : QMainWindow(parent)
    , m_views(views)
{
    setWindowTitle(tr("Zentrope"));
    setMinimumSize(720, 480);
    resize(820, 540);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(1);
    splitter->addWidget(createSidebar());

    auto* detail = new QWidget(splitter);
    auto* column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_header = new DaemonHeader(daemon, detail);
    column->addWidget(m_header);
    column->addWidget(Style::divider(detail));
    // A tab taller than a small window scrolls rather than being cut off.
    m_content = new QScrollArea(detail);
    m_content->setFrameShape(QFrame::NoFrame);
    m_content->setWidgetResizable(true);
    m_content->setFocusPolicy(Qt::NoFocus);
    column->addWidget(m_content, 1);
    splitter->addWidget(detail);

    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({sidebarIdealWidth, width() - sidebarIdealWidth});
    setCentralWidget(splitter);

    connect(m_sidebar->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { showTab(selection().value_or(Tab::status)); });
    setSelection(Tab::status);
    m_sidebar->setFocus();
}

QString MainWindow::title(Tab tab)
{
    switch (tab) {
    case Tab::status:
        return tr("Status");
    case Tab::addIn:
        return tr("Add-in");
    case Tab::logs:
        return tr("Logs");
    case Tab::support:
        return tr("Support");
    }
    return {};
}

QString MainWindow::symbolName(Tab tab)
{
    switch (tab) {
    case Tab::status:
        return QStringLiteral("circle.dashed");
    case Tab::addIn:
        return QStringLiteral("puzzlepiece.extension.fill");
    case Tab::logs:
        return QStringLiteral("doc.text.magnifyingglass");
    case Tab::support:
        return QStringLiteral("lifepreserver");
    }
    return {};
}

QWidget* MainWindow::createSidebar()
{
    // The list on a panel of its own colour, which gives it room at the top.
    auto* panel = new QWidget(this);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    panel->setMinimumWidth(sidebarMinimumWidth);
    panel->setMaximumWidth(sidebarMaximumWidth);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, sidebarInset, 0, sidebarInset);

    m_sidebar = new QListWidget(panel);
    m_sidebar->setAccessibleName(tr("Tabs"));
    m_sidebar->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sidebar->setFrameShape(QFrame::NoFrame);
    m_sidebar->setItemDelegate(new SidebarDelegate(m_sidebar));
    Style::setTextStyle(m_sidebar, TextStyle::body);
    for (const Tab tab : allMainWindowTabs) {
        auto* item = new QListWidgetItem(title(tab), m_sidebar);
        item->setData(Qt::UserRole, int(tab));
    }
    updateSidebarIcons();
    layout->addWidget(m_sidebar);
    return panel;
}

void MainWindow::updateSidebarIcons()
{
    const QPalette palette = m_sidebar->palette();
    for (int row = 0; row < m_sidebar->count(); ++row) {
        const Tab tab = allMainWindowTabs[std::size_t(row)];
        m_sidebar->item(row)->setIcon(Symbols::icon(symbolName(tab),
                                                    palette.color(QPalette::Highlight),
                                                    palette.color(QPalette::HighlightedText)));
    }
}

std::optional<MainWindow::Tab> MainWindow::selection() const
{
    const QList<QListWidgetItem*> selected = m_sidebar->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return Tab(selected.first()->data(Qt::UserRole).toInt());
}

void MainWindow::setSelection(std::optional<Tab> tab)
{
    if (!tab) {
        m_sidebar->clearSelection();
        return;
    }
    m_sidebar->setCurrentRow(int(*tab), QItemSelectionModel::ClearAndSelect);
}

void MainWindow::showTab(Tab tab)
{
    if (m_tabView && tab == m_shownTab)
        return; // no selection after the status tab: it stays as it is
    // The old view goes now, so its timers and requests end before the new
    // view starts its own.
    delete m_content->takeWidget();
    m_shownTab = tab;
    auto* page = new QWidget;
    auto* inset = new QVBoxLayout(page);
    inset->setContentsMargins(contentInset, contentInset, contentInset, contentInset);
    m_tabView = m_views.create(tab, page);
    inset->addWidget(m_tabView);
    m_content->setWidget(page);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        Style::refresh(this);
        updateSidebarIcons();
    }
}
