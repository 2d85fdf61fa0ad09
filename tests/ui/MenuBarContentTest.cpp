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

using namespace Qt::StringLiterals;

using Kind = DaemonManager::Status::Kind;

namespace {

// The control row's shown buttons in order, a disabled one in brackets.
QStringList controls(const MenuBarContent& panel)
{
    QStringList controls;
    for (const QPushButton* button : panel.findChildren<QPushButton*>()) {
        const QString text = button->text();
        if (button->isVisibleTo(&panel) &&
            (text == u"Start" || text == u"Stop" || text == u"Restart"))
            controls << (button->isEnabled() ? text : u'(' + text + u')');
    }
    return controls;
}
QString label(const MenuBarContent& panel)
{
    return panel.findChildren<QLabel*>().at(1)->text();
}

class MenuBarContentTest : public ::testing::Test
{
protected:
    std::unique_ptr<MenuBarContent> openPanel()
    {
        auto panel = std::make_unique<MenuBarContent>(
            daemon.manager(),
            MenuBarContent::Actions{
                [this] { calls << u"open"_s; }, [this] { calls << u"updates"_s; },
                [this] { calls << u"quit while "_s + daemon.manager().status().label(); }});
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
    EXPECT_EQ(Widgets::unnamedControls(panel.get()), QList<QWidget*>());
    EXPECT_EQ(label(*panel), u"Stopped"_s);
    EXPECT_EQ(controls(*panel), QStringList{u"Start"_s});

    std::optional<QStringList> starting;
    QObject::connect(&daemon.manager(), &DaemonManager::statusChanged, panel.get(),
                     [&](const DaemonManager::Status& status) {
                         if (status.kind() == Kind::starting)
                             starting = controls(*panel);
                     });
    ASSERT_TRUE(daemon.startAndSettle());
    EXPECT_EQ(starting, QStringList{u"(Stop)"_s}) << "Stop is there, disabled";
    const auto* symbol = panel->findChild<SymbolView*>();
    EXPECT_EQ(symbol->name(), u"circle.fill"_s);
    EXPECT_EQ(symbol->tint(), SemanticColor::green);
    EXPECT_EQ(label(*panel), u"Running (pid %1)"_s.arg(daemon.manager().status().pid()));
    EXPECT_EQ(controls(*panel), (QStringList{u"Stop"_s, u"Restart"_s}))
        << "the reverse of the window's header";

    Widgets::click(panel.get(), u"Stop"_s);
    EXPECT_EQ(daemon.manager().status().kind(), Kind::stopped);
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
        Widgets::click(panel.get(), QString::fromUtf8(way.button));
        EXPECT_EQ(calls, QStringList{QString::fromUtf8(way.call)});
        EXPECT_FALSE(panel->isVisible()) << way.button;
    }

    auto panel = openPanel();
    QTest::keyClick(panel.get(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(MenuBarContentTest, TheTrayIconFollowsTheStatus)
{
    MenuBarIcon icon;
    MenuBarExtra extra(daemon.manager(), icon, {});
    EXPECT_EQ(extra.shownMask(), icon.idle());
    ASSERT_TRUE(daemon.startAndSettle());
    EXPECT_EQ(extra.shownMask(), icon.active());
    EXPECT_EQ(extra.trayIcon().toolTip(),
              u"Zentrope — Running (pid %1)"_s.arg(daemon.manager().status().pid()));
    daemon.manager().stop();
    EXPECT_EQ(extra.shownMask(), icon.idle());
}
