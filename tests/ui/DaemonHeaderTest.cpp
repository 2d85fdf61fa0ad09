#include "ui/DaemonHeader.h"

#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/Spinner.h"
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
    QStringList buttons;
    bool spinning;
};

class DaemonHeaderTest : public ::testing::Test
{
protected:
    DaemonHeaderTest() { header.show(); }

    Seen seen() const
    {
        const auto* symbol = header.findChild<SymbolView*>();
        const QList<QLabel*> labels = header.findChildren<QLabel*>();
        return {symbol->name(), symbol->tint(), labels.last()->text(),
                Widgets::visibleButtonTexts(&header),
                header.findChild<Spinner*>()->isVisibleTo(&header)};
    }
    void click(const char* text)
    {
        QPushButton* button = Widgets::visibleButton(&header, QString::fromUtf8(text));
        ASSERT_TRUE(button) << text << " is not shown";
        QTest::mouseClick(button, Qt::LeftButton);
    }
    Kind kind() { return daemon.manager().status().kind(); }

    TestContext daemon;
    DaemonHeader header{daemon.manager()};
};

} // namespace

TEST_F(DaemonHeaderTest, ShowsEachStateWithItsSymbolLabelAndControls)
{
    const Seen stopped = seen();
    EXPECT_EQ(stopped.symbol, QStringLiteral("circle"));
    EXPECT_EQ(stopped.tint, SemanticColor::secondary);
    EXPECT_EQ(stopped.label, QStringLiteral("Stopped"));
    EXPECT_EQ(stopped.buttons, QStringList{QStringLiteral("Start")});
    EXPECT_FALSE(stopped.spinning);
    EXPECT_EQ(header.findChildren<QLabel*>().first()->text(), QStringLiteral("Daemon"));

    // "Starting" lasts only while start() launches the child: look right then.
    std::optional<Seen> starting;
    QObject::connect(&daemon.manager(), &DaemonManager::statusChanged, &header,
                     [&](const DaemonManager::Status& status) {
                         if (status.kind() == Kind::starting)
                             starting = seen();
                     });
    ASSERT_TRUE(daemon.startAndSettle());
    ASSERT_TRUE(starting);
    EXPECT_EQ(starting->symbol, QStringLiteral("circle.dotted"));
    EXPECT_EQ(starting->tint, SemanticColor::yellow);
    EXPECT_EQ(starting->label, QStringLiteral("Starting…"));
    EXPECT_EQ(starting->buttons, QStringList());
    EXPECT_TRUE(starting->spinning);

    const Seen running = seen();
    EXPECT_EQ(running.symbol, QStringLiteral("circle.fill"));
    EXPECT_EQ(running.tint, SemanticColor::green);
    EXPECT_EQ(running.label,
              QStringLiteral("Running (pid %1)").arg(daemon.manager().status().pid()));
    EXPECT_EQ(running.buttons, (QStringList{QStringLiteral("Restart"), QStringLiteral("Stop")}));
    EXPECT_FALSE(running.spinning);

    daemon.manager().stop();
    ASSERT_TRUE(waitUntil([&] { return !daemon.manager().hasChild(); }));
    daemon.setCrashing(true);
    ASSERT_TRUE(daemon.startAndSettle());
    const Seen crashed = seen();
    EXPECT_EQ(crashed.symbol, QStringLiteral("exclamationmark.triangle.fill"));
    EXPECT_EQ(crashed.tint, SemanticColor::red);
    EXPECT_EQ(crashed.label, QStringLiteral("Crashed (exit 3)"));
    EXPECT_EQ(crashed.buttons, QStringList{QStringLiteral("Start")});
    const QPushButton* start = Widgets::visibleButton(&header, QStringLiteral("Start"));
    EXPECT_EQ(start->palette().color(QPalette::Button).hue(),
              header.palette().color(QPalette::Highlight).hue())
        << "Start is the prominent button, in the accent colour";
}

TEST_F(DaemonHeaderTest, ButtonsDriveTheSupervisor)
{
    click("Start");
    ASSERT_EQ(kind(), Kind::running);
    const qint32 firstPid = daemon.manager().status().pid();

    click("Restart");
    EXPECT_EQ(seen().buttons, QStringList{QStringLiteral("Start")})
        << "stopped until the old process has ended";
    ASSERT_TRUE(waitUntil([&] { return kind() == Kind::running; }));
    EXPECT_NE(daemon.manager().status().pid(), firstPid);
    EXPECT_EQ(seen().label,
              QStringLiteral("Running (pid %1)").arg(daemon.manager().status().pid()));

    click("Stop");
    EXPECT_EQ(kind(), Kind::stopped);
    EXPECT_EQ(seen().label, QStringLiteral("Stopped"));
    ASSERT_TRUE(waitUntil([&] { return !daemon.manager().hasChild(); }));

    daemon.setCrashing(true);
    click("Start");
    ASSERT_TRUE(waitUntil([&] { return kind() == Kind::crashed; }));
    daemon.setCrashing(false);
    click("Start");
    EXPECT_EQ(kind(), Kind::running);
    EXPECT_EQ(seen().buttons, (QStringList{QStringLiteral("Restart"), QStringLiteral("Stop")}));
}
