#include "ui/MenuBarContent.h"

#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/MenuBarExtra.h"
#include "ui/SymbolView.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using Kind = DaemonManager::Status::Kind;

namespace {

struct Seen
{
    QString symbol;
    SemanticColor tint;
    QString label;
    QStringList controls; // the buttons of the control row, in order
    QStringList enabled;
};

Seen seen(const MenuBarContent& panel)
{
    const QWidget* row =
        Widgets::visibleButton(&panel, QStringLiteral("Start"))
            ? Widgets::visibleButton(&panel, QStringLiteral("Start"))->parentWidget()
            : Widgets::visibleButton(&panel, QStringLiteral("Stop"))->parentWidget();
    Seen seen{panel.findChild<SymbolView*>()->name(),
              panel.findChild<SymbolView*>()->tint(),
              panel.findChildren<QLabel*>().at(1)->text(),
              Widgets::visibleButtonTexts(row),
              {}};
    for (const QString& text : seen.controls)
        if (Widgets::visibleButton(row, text)->isEnabled())
            seen.enabled << text;
    return seen;
}

class MenuBarContentTest : public ::testing::Test
{
protected:
    std::unique_ptr<MenuBarContent> openPanel()
    {
        auto panel = std::make_unique<MenuBarContent>(
            daemon.manager(),
            MenuBarContent::Actions{[this] { calls << QStringLiteral("open"); },
                                    [this] { calls << QStringLiteral("updates"); },
                                    [this] {
                                        calls << QStringLiteral("quit while ") +
                                                     daemon.manager().status().label();
                                    }});
        panel->setAttribute(Qt::WA_DeleteOnClose, false); // the test keeps it
        panel->show();
        return panel;
    }

    TestContext daemon;
    QStringList calls;
};

} // namespace

TEST_F(MenuBarContentTest, ShowsEachStateWithItsOwnControls)
{
    auto panel = openPanel();
    EXPECT_EQ(panel->width(), 260);
    EXPECT_EQ(panel->findChildren<QLabel*>().at(0)->text(), QStringLiteral("Zentrope"));
    EXPECT_EQ(Widgets::unnamedControls(panel.get()), QList<QWidget*>());
    const Seen stopped = seen(*panel);
    EXPECT_EQ(stopped.symbol, QStringLiteral("circle"));
    EXPECT_EQ(stopped.tint, SemanticColor::secondary);
    EXPECT_EQ(stopped.label, QStringLiteral("Stopped"));
    EXPECT_EQ(stopped.controls, QStringList{QStringLiteral("Start")});

    std::optional<Seen> starting;
    QObject::connect(&daemon.manager(), &DaemonManager::statusChanged, panel.get(),
                     [&](const DaemonManager::Status& status) {
                         if (status.kind() == Kind::starting)
                             starting = seen(*panel);
                     });
    ASSERT_TRUE(daemon.startAndSettle());
    ASSERT_TRUE(starting);
    EXPECT_EQ(starting->symbol, QStringLiteral("circle.dotted"));
    EXPECT_EQ(starting->tint, SemanticColor::yellow);
    EXPECT_EQ(starting->controls, QStringList{QStringLiteral("Stop")});
    EXPECT_EQ(starting->enabled, QStringList()) << "Stop is there, disabled";

    const Seen running = seen(*panel);
    EXPECT_EQ(running.symbol, QStringLiteral("circle.fill"));
    EXPECT_EQ(running.tint, SemanticColor::green);
    EXPECT_EQ(running.label,
              QStringLiteral("Running (pid %1)").arg(daemon.manager().status().pid()));
    EXPECT_EQ(running.controls, (QStringList{QStringLiteral("Stop"), QStringLiteral("Restart")}))
        << "the reverse of the window's header";
    EXPECT_EQ(running.enabled, running.controls);

    QTest::mouseClick(Widgets::visibleButton(panel.get(), QStringLiteral("Stop")), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !daemon.manager().hasChild(); }));
    daemon.setCrashing(true);
    QTest::mouseClick(Widgets::visibleButton(panel.get(), QStringLiteral("Start")), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return daemon.manager().status().kind() == Kind::crashed; }));
    const Seen crashed = seen(*panel);
    EXPECT_EQ(crashed.symbol, QStringLiteral("exclamationmark.triangle.fill"));
    EXPECT_EQ(crashed.tint, SemanticColor::red);
    EXPECT_EQ(crashed.label, QStringLiteral("Crashed (exit 3)"));
    EXPECT_EQ(crashed.controls, QStringList{QStringLiteral("Start")});
}

TEST_F(MenuBarContentTest, EachWayOnClosesThePanelAndQuitStopsTheDaemonFirst)
{
    ASSERT_TRUE(daemon.startAndSettle());
    const struct
    {
        const char* button;
        const char* call;
    } ways[] = {{"Open Zentrope…", "open"},
                {"Check for updates…", "updates"},
                {"Quit Zentrope", "quit while Stopped"}};
    for (const auto& way : ways) {
        calls.clear();
        auto panel = openPanel();
        QPushButton* button = Widgets::visibleButton(panel.get(), QString::fromUtf8(way.button));
        ASSERT_TRUE(button) << way.button;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(calls, QStringList{QString::fromUtf8(way.call)});
        EXPECT_FALSE(panel->isVisible()) << way.button;
    }

    auto panel = openPanel();
    EXPECT_TRUE(Widgets::visibleButton(panel.get(), QStringLiteral("Open Zentrope…"))->hasFocus())
        << "Return opens the window";
    QTest::keyClick(panel.get(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(MenuBarContentTest, TheTrayIconFollowsTheStatusAndTogglesThePanel)
{
    MenuBarIcon icon;
    MenuBarExtra extra(daemon.manager(), icon, {});
    EXPECT_EQ(extra.shownMask(), icon.idle());
    ASSERT_TRUE(daemon.startAndSettle());
    EXPECT_EQ(extra.shownMask(), icon.active());
    EXPECT_EQ(extra.trayIcon().toolTip(),
              QStringLiteral("Zentrope — Running (pid %1)").arg(daemon.manager().status().pid()));
    daemon.manager().stop();
    EXPECT_EQ(extra.shownMask(), icon.idle());

    extra.togglePanel();
    ASSERT_TRUE(extra.panel());
    EXPECT_TRUE(extra.panel()->isVisible());
    extra.togglePanel();
    EXPECT_TRUE(waitUntil([&] { return !extra.panel(); })) << "closed and gone";
}
