// The application in-process over fakes, one path per journey; a later launch is
// ZentropeAppTest's, with real processes.
#include "app/ZentropeApp.h"
#include "platform/fake/FakeUpdaterController.h"
#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/MainWindow.h"
#include "ui/UpdateDialog.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Kind = DaemonManager::Status::Kind;

namespace {

class AppLifecycleTest : public ::testing::Test
{
protected:
    std::unique_ptr<ZentropeApp> launched(bool systemTray = true)
    {
        auto app = std::make_unique<ZentropeApp>(context.context(),
                                                 ZentropeApp::Options{systemTray}, nullptr);
        // The daemon's state at each quit.
        QObject::connect(app.get(), &ZentropeApp::quitting,
                         [this] { quits << daemon().status().kind(); });
        app->launch();
        return app;
    }
    void notFirstRun() { defaults().setValue(DefaultsKeys::firstRunCompleted, true); }
    bool windowShown(const ZentropeApp& app) const
    {
        return app.mainWindow() && app.mainWindow()->isVisible();
    }
    DaemonManager& daemon() { return context.manager(); }
    UserDefaults& defaults() { return context.context().defaults(); }

    TestContext context;
    QList<Kind> quits;
};

} // namespace

TEST_F(AppLifecycleTest, TheLaunchFlushesCachesThenRegistersTheLoginItemThenStartsTheDaemon)
{
    context.bundle.writeInfoPlist({{u"CFBundleShortVersionString"_s, u"2.0"_qs}});
    defaults().setValue(DefaultsKeys::lastLaunchedShortVersion, u"1.9"_qs);
    QString versionAtRegistration;
    bool daemonStartedBeforeRegistration = true;
    context.fakes.loginItem->onRegister = [&] {
        versionAtRegistration = defaults().value(DefaultsKeys::lastLaunchedShortVersion);
        daemonStartedBeforeRegistration = daemon().hasChild();
    };
    auto app = launched();
    EXPECT_EQ(versionAtRegistration, u"2.0"_qs);
    EXPECT_FALSE(daemonStartedBeforeRegistration);
    EXPECT_EQ(daemon().status().kind(), Kind::running);
}

TEST_F(AppLifecycleTest, TheFirstLaunchOpensTheWindowAndClosingItKeepsEverythingRunning)
{
    auto first = launched();
    EXPECT_TRUE(windowShown(*first));
    EXPECT_TRUE(readFileAt(defaults().filePath()).contains("zentrope.firstRun.completed=true"))
        << "written to the store, not only kept in memory";
    MainWindow* window = first->mainWindow();
    window->resize(900, 600);
    window->setSelection(MainWindow::Tab::logs);
    window->close();
    EXPECT_TRUE(waitUntil([&] { return !first->mainWindow(); })) << "destroyed on close";
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    EXPECT_EQ(daemon().status().kind(), Kind::running);

    first->openMainWindow();
    ASSERT_TRUE(windowShown(*first));
    EXPECT_EQ(first->mainWindow()->shownTab(), MainWindow::Tab::status) << "built afresh";
    EXPECT_EQ(first->mainWindow()->size(), QSize(900, 600)) << "where the user left it";
}

TEST_F(AppLifecycleTest, WithoutATrayEveryLaunchOpensTheWindowAndItsMenuQuits)
{
    notFirstRun();
    auto app = launched(false);
    ASSERT_TRUE(windowShown(*app));
    EXPECT_FALSE(app->menuBarExtra());
    QAction* quit = app->mainWindow()->menuBar()->actions().value(0)->menu()->actions().value(0);
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->text(), u"Quit Zentrope"_qs);
    EXPECT_EQ(quit->shortcut(), QKeySequence(u"Ctrl+Q"_qs));
    quit->trigger();
    EXPECT_EQ(quits, QList<Kind>{Kind::stopped});
}

TEST_F(AppLifecycleTest, ACrashIsNotifiedAndItsClickOpensTheWindow)
{
    notFirstRun();
    context.setCrashing(true);
    auto app = launched();
    const auto& shown = context.fakes.notifications->shown;
    ASSERT_TRUE(waitUntil([&] { return !shown.isEmpty(); }));
    EXPECT_EQ(shown.first().title, u"Zentrope"_qs);
    EXPECT_TRUE(shown.first().body.contains(u"(exit 3)"_qs)) << shown.first().body.toStdString();
    EXPECT_FALSE(app->mainWindow());

    context.fakes.notifications->click(0);
    EXPECT_TRUE(windowShown(*app));
}

TEST_F(AppLifecycleTest, UpdateChecksFromThePanelAndTheScheduleShowTheirAnswers)
{
    notFirstRun();
    auto app = launched();
    app->menuBarExtra()->togglePanel();
    Widgets::click(app->menuBarExtra()->panel(), u"Check for updates…"_s);
    const auto shown = [](const QMetaObject& kind) {
        return waitUntil([&] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::any_of(windows.cbegin(), windows.cend(), [&](const QWidget* window) {
                return window->isVisible() && window->metaObject() == &kind;
            });
        });
    };
    EXPECT_TRUE(shown(QMessageBox::staticMetaObject)) << "the answer to the panel's check";

    platform::AvailableUpdate update;
    update.version = u"99"_qs;
    update.download = QUrl(u"https://example.com/Zentrope-9.9.zip"_qs);
    context.fakes.updateFramework->lastController()->announce(update);
    EXPECT_TRUE(shown(UpdateDialog::staticMetaObject));
}
