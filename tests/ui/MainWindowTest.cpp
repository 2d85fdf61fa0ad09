#include "ui/MainWindow.h"

#include "core/office/OfficeHost.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/Wait.h"
#include "ui/DaemonHeader.h"
#include "ui/FileDialog.h"
#include "ui/SemanticColor.h"
#include "ui/TabViews.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/StatusTab.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
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
    for (int row = 0; row < sidebar()->count(); ++row)
        rows << sidebar()->item(row)->text();
    EXPECT_EQ(rows, (QStringList{u"Status"_s, u"Add-in"_s, u"Logs"_s, u"Support"_s}));
    EXPECT_EQ(MainWindow::symbolName(Tab::status), u"circle.dashed"_s);
    EXPECT_EQ(MainWindow::symbolName(Tab::addIn), u"puzzlepiece.extension.fill"_s);
    EXPECT_EQ(MainWindow::symbolName(Tab::logs), u"doc.text.magnifyingglass"_s);
    EXPECT_EQ(MainWindow::symbolName(Tab::support), u"lifepreserver"_s);
    EXPECT_FALSE(sidebar()->item(0)->icon().isNull());

    // The sidebar keeps between 160 and 220 wherever the divider is dragged.
    auto* splitter = window.findChild<QSplitter*>();
    const auto sidebarWidth = [splitter] { return splitter->widget(0)->width(); };
    EXPECT_EQ(sidebarWidth(), 180);
    splitter->setSizes({400, 400});
    EXPECT_EQ(sidebarWidth(), 220);
    splitter->setSizes({40, 760});
    EXPECT_EQ(sidebarWidth(), 160);

    window.resize(500, 300);
    EXPECT_EQ(window.size(), QSize(720, 480));
    window.resize(1600, 1000);
    EXPECT_EQ(window.size(), QSize(1600, 1000)) << "no maximum";
}

TEST_F(MainWindowTest, TabViewSitsBelowHeaderAndDividerInsetBy16)
{
    window.setSelection(Tab::addIn);
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QWidget* view = window.tabView();
    QWidget* detail = window.findChild<DaemonHeader*>()->parentWidget();
    const auto* divider = detail->findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
    const QRect area(view->mapTo(detail, QPoint()), view->size());
    EXPECT_EQ(area.left(), 16);
    EXPECT_EQ(area.top(), divider->geometry().bottom() + 1 + 16);
    EXPECT_EQ(detail->width() - 1 - area.right(), 16);
    EXPECT_EQ(detail->height() - 1 - area.bottom(), 16);
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
    EXPECT_EQ(window.tabView()
                  ->parentWidget()
                  ->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)
                  .size(),
              1)
        << "one tab view";

    window.setSelection(Tab::support);
    EXPECT_EQ(shownTitle(), u"Support"_s);
    window.setSelection(Tab::logs);
    EXPECT_EQ(shownTitle(), u"Logs"_s);
}

TEST_F(MainWindowTest, NoSelectionShowsTheStatusTab)
{
    window.setSelection(Tab::logs);
    sidebar()->clearSelection();
    EXPECT_EQ(window.selection(), std::nullopt);
    EXPECT_EQ(window.shownTab(), Tab::status);
    EXPECT_EQ(shownTitle(), u"Status"_s);

    window.setSelection(Tab::status);
    QPointer<QWidget> status = window.tabView();
    window.setSelection(std::nullopt);
    EXPECT_EQ(window.tabView(), status.data()) << "the status tab stays as it was";
}

TEST_F(MainWindowTest, EveryControlIsNamedAndReachableByTab)
{
    // With a host and the setup box, every kind of control is on show.
    ASSERT_TRUE(QDir().mkpath(OfficeHost(OfficeHost::word).containerDirectory()));
    fileDialog.setNextFileName(home.path() + u"/picked.xml"_s);
    window.setSelection(Tab::addIn);
    QTest::mouseClick(Widgets::visibleButton(&window, u"Choose Manifest…"_s), Qt::LeftButton);
    EXPECT_EQ(Widgets::unnamedControls(&window), QList<QWidget*>()) << "add-in tab";
    for (const Tab tab : {Tab::logs, Tab::support}) {
        window.setSelection(tab);
        EXPECT_EQ(Widgets::unnamedControls(&window), QList<QWidget*>())
            << MainWindow::title(tab).toStdString();
    }

    window.setSelection(Tab::status);
    auto* status = qobject_cast<StatusTab*>(window.tabView());
    ASSERT_TRUE(waitUntil([&] { return status->setupState().has_value(); }));
    EXPECT_EQ(Widgets::unnamedControls(&window), QList<QWidget*>()) << "status tab";

    // Keyboard only, in the visual order: sidebar, header, the tab.
    sidebar()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* start = qobject_cast<QPushButton*>(QApplication::focusWidget());
    ASSERT_TRUE(start);
    EXPECT_EQ(start->text(), u"Start"_s);
    QTest::keyClick(start, Qt::Key_Tab);
    auto* install = qobject_cast<QPushButton*>(QApplication::focusWidget());
    ASSERT_TRUE(install);
    EXPECT_EQ(install->text(), u"Install cert"_s);
    QTest::keyClick(start, Qt::Key_Space);
    EXPECT_TRUE(daemon.manager().status().isRunning());
}

TEST_F(MainWindowTest, TintsFollowADarkThemeSwitchedOnWhileOpen)
{
    const QLabel* caption = nullptr;
    for (const QLabel* label : window.findChildren<QLabel*>())
        caption = label->text() == u"Daemon"_s ? label : caption;
    ASSERT_TRUE(caption);
    const auto captionShows = [caption](const QPalette& palette) {
        // The window hears of the application's new palette through an event.
        return waitUntil([&] {
            return caption->palette().color(QPalette::WindowText) ==
                   semanticColor(SemanticColor::secondary, palette);
        });
    };
    const QPalette light = QApplication::palette();
    ASSERT_TRUE(captionShows(light));
    QApplication::setPalette(Widgets::darkPalette());
    EXPECT_TRUE(captionShows(Widgets::darkPalette()));
    EXPECT_EQ(caption->palette().color(QPalette::Window), QColor(0x32, 0x32, 0x32))
        << "only the text takes the tint";
    QApplication::setPalette(light);
    EXPECT_TRUE(captionShows(light));
}
