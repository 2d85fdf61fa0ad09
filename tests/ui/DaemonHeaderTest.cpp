#include "ui/DaemonHeader.h"

#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/Spinner.h"
#include "ui/SymbolView.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Kind = DaemonManager::Status::Kind;

namespace {

QString tint(SemanticColor color)
{
    return u"tint "_s + QString::number(int(color));
}

class DaemonHeaderTest : public ::testing::Test
{
protected:
    DaemonHeaderTest() { header.show(); }

    // The header as a person sees it: symbol, tint, label, buttons, then "spinning" while it spins.
    QStringList seen() const
    {
        const auto* symbol = header.findChild<SymbolView*>();
        QStringList seen{symbol->name(), tint(symbol->tint()),
                         header.findChildren<QLabel*>().last()->text()};
        seen += Widgets::visibleButtonTexts(&header);
        if (header.findChild<Spinner*>()->isVisibleTo(&header))
            seen << u"spinning"_s;
        return seen;
    }
    Kind kind() { return daemon.manager().status().kind(); }

    TestContext daemon;
    DaemonHeader header{daemon.manager()};
};

} // namespace

TEST_F(DaemonHeaderTest, ShowsEachStateWithItsSymbolLabelAndControls)
{
    EXPECT_EQ(seen(),
              (QStringList{u"circle"_s, tint(SemanticColor::secondary), u"Stopped"_s, u"Start"_s}));

    // "Starting" lasts only while start() launches the child: look right then.
    QStringList starting;
    QObject::connect(&daemon.manager(), &DaemonManager::statusChanged, &header,
                     [&](const DaemonManager::Status& status) {
                         if (status.kind() == Kind::starting)
                             starting = seen();
                     });
    ASSERT_TRUE(daemon.startAndSettle());
    EXPECT_EQ(starting, (QStringList{u"circle.dotted"_s, tint(SemanticColor::yellow),
                                     u"Starting…"_s, u"spinning"_s}));
    EXPECT_EQ(seen(), (QStringList{u"circle.fill"_s, tint(SemanticColor::green),
                                   u"Running (pid %1)"_s.arg(daemon.manager().status().pid()),
                                   u"Restart"_s, u"Stop"_s}));

    daemon.manager().stop();
    ASSERT_TRUE(waitUntil([&] { return !daemon.manager().hasChild(); }));
    daemon.setCrashing(true);
    ASSERT_TRUE(daemon.startAndSettle());
    EXPECT_EQ(seen(), (QStringList{u"exclamationmark.triangle.fill"_s, tint(SemanticColor::red),
                                   u"Crashed (exit 3)"_s, u"Start"_s}));
}

TEST_F(DaemonHeaderTest, ButtonsDriveTheSupervisor)
{
    Widgets::click(&header, u"Start"_s);
    ASSERT_EQ(kind(), Kind::running);
    const qint32 firstPid = daemon.manager().status().pid();
    Widgets::click(&header, u"Restart"_s);
    ASSERT_TRUE(waitUntil([&] { return kind() == Kind::running; }));
    EXPECT_NE(daemon.manager().status().pid(), firstPid);
    Widgets::click(&header, u"Stop"_s);
    EXPECT_EQ(kind(), Kind::stopped);
}
