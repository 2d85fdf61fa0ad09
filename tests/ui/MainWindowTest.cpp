#include "ui/MainWindow.h"

#include "core/office/OfficeHost.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/Wait.h"
#include "ui/FileDialog.h"
#include "ui/TabViews.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/LogPane.h"
#include "ui/tabs/LogTextView.h"
#include "ui/tabs/LogsTab.h"
#include "ui/tabs/StatusTab.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Tab = MainWindow::Tab;

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QListWidget* sidebar() const { return window.findChild<QListWidget*>(); }
    QString shownTitle() const
    {
        const QWidget* view = window.tabView();
        return view && view->isVisible() ? view->findChild<QLabel*>()->text() : QString();
    }

    TemporaryHome home;
    TestContext daemon;
    FileDialog fileDialog;
    TabViews views{daemon.context(), fileDialog};
    MainWindow window{daemon.manager(), views};
};

} // namespace

TEST_F(MainWindowTest, FrameSidebarAndSizes)
{
    EXPECT_EQ(window.windowTitle(), u"Zentrope"_s);
    EXPECT_EQ(window.size(), QSize(820, 540));
    QStringList rows;
    for (int row = 0; row < sidebar()->count(); ++row) {
        rows << sidebar()->item(row)->text();
        EXPECT_FALSE(sidebar()->item(row)->icon().isNull()) << "a symbol it knows";
    }
    EXPECT_EQ(rows, (QStringList{u"Status"_s, u"Add-in"_s, u"Logs"_s, u"Support"_s}));

    window.resize(500, 300);
    EXPECT_EQ(window.size(), QSize(720, 480));
    window.resize(1600, 1000);
    EXPECT_EQ(window.size(), QSize(1600, 1000)) << "no maximum";
}

TEST_F(MainWindowTest, EachSelectionBuildsItsViewAfreshAndDestroysTheLast)
{
    ASSERT_TRUE(daemon.startAndSettle());
    EXPECT_EQ(window.selection(), Tab::status);
    EXPECT_EQ(shownTitle(), u"Status"_s);
    QPointer<QWidget> firstStatus = window.tabView();
    ASSERT_TRUE(window.findChild<StatusPoller*>()->isActive());

    // Keyboard only: the sidebar has the focus and the arrows move through it.
    ASSERT_TRUE(sidebar()->hasFocus());
    QTest::keyClick(sidebar(), Qt::Key_Down);
    EXPECT_EQ(window.selection(), Tab::addIn);
    EXPECT_EQ(shownTitle(), u"Add-in"_s);
    EXPECT_TRUE(firstStatus.isNull()) << "the status view is gone with its state";
    EXPECT_EQ(window.findChildren<StatusPoller*>().size(), 0) << "its polling ended with it";
    QPointer<QWidget> addIn = window.tabView();

    QTest::keyClick(sidebar(), Qt::Key_Up);
    EXPECT_TRUE(addIn.isNull());
    EXPECT_EQ(shownTitle(), u"Status"_s);
    const QList<StatusPoller*> pollers = window.findChildren<StatusPoller*>();
    ASSERT_EQ(pollers.size(), 1);
    EXPECT_TRUE(pollers.first()->isActive() && pollers.first()->isQuerying())
        << "polling starts over";
}

TEST_F(MainWindowTest, EveryControlIsNamed)
{
    // With a host and the setup box, every kind of control is on show.
    ASSERT_TRUE(QDir().mkpath(OfficeHost(OfficeHost::word).containerDirectory()));
    fileDialog.setNextFileName(home.path() + u"/picked.xml"_s);
    window.setSelection(Tab::addIn);
    QTest::mouseClick(Widgets::visibleButton(&window, u"Choose Manifest…"_s), Qt::LeftButton);
    EXPECT_EQ(Widgets::unnamedControls(&window), QList<QWidget*>()) << "add-in tab";
    for (const Tab tab : {Tab::logs, Tab::support}) {
        window.setSelection(tab);
        EXPECT_EQ(shownTitle(), MainWindow::title(tab));
        EXPECT_EQ(Widgets::unnamedControls(&window), QList<QWidget*>())
            << shownTitle().toStdString();
    }
    window.setSelection(Tab::status);
    auto* status = qobject_cast<StatusTab*>(window.tabView());
    ASSERT_TRUE(waitUntil([&] { return status->setupState().has_value(); }));
    EXPECT_EQ(Widgets::unnamedControls(&window), QList<QWidget*>()) << "status tab";
}

// The logs tab fills the window rather than growing it: its pane scrolls, not the page.
TEST_F(MainWindowTest, TheLogsTabFillsTheWindowAndScrollsItsPaneNotThePage)
{
    QByteArray lines;
    for (int number = 0; number < 5'000; ++number)
        lines += "line " + QByteArray::number(number) + '\n';
    writeFileAt(daemon.context().logDirectory() + u"/daemon.log"_s, lines);
    window.setSelection(Tab::logs);
    auto* logs = qobject_cast<LogsTab*>(window.tabView());
    ASSERT_TRUE(logs);
    for (const QSize size : {QSize(720, 480), QSize(1200, 900)}) {
        window.resize(size);
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        auto* page = window.findChild<QScrollArea*>();
        EXPECT_FALSE(page->verticalScrollBar()->isVisible()) << size.height();
        EXPECT_FALSE(page->horizontalScrollBar()->isVisible()) << size.width();
        const QRect pane(logs->pane().mapTo(page->viewport(), QPoint()), logs->pane().size());
        EXPECT_GT(pane.height(), page->viewport()->height() / 2) << "the pane takes the height";
        EXPECT_LT(pane.bottom(), page->viewport()->height() - 16);
        EXPECT_TRUE(logs->pane().textView()->verticalScrollBar()->isVisible());
    }
}
