#include "ui/DaemonHeader.h"

#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/Spinner.h"
#include "ui/SymbolView.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using Kind = DaemonManager::Status::Kind;

namespace {

struct Seen
{
    QString symbol;
    SemanticColor tint;
    QString label;
    QStringList buttons;
    bool spinning;

    friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& seen, std::ostream* os)
{
    *os << seen.symbol.toStdString() << ' ' << int(seen.tint) << " \"" << seen.label.toStdString()
        << "\" [" << seen.buttons.join(u", "_s).toStdString() << ']'
        << (seen.spinning ? " spinning" : "");
}

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
        ASSERT_TRUE(Widgets::click(&header, QString::fromUtf8(text))) << text << " is not shown";
    }
    Kind kind() { return daemon.manager().status().kind(); }

    TestContext daemon;
    DaemonHeader header{daemon.manager()};
};

} // namespace

TEST_F(DaemonHeaderTest, ShowsEachStateWithItsSymbolLabelAndControls)
{
    EXPECT_EQ(seen(),
              (Seen{u"circle"_s, SemanticColor::secondary, u"Stopped"_s, {u"Start"_s}, false}));
    EXPECT_EQ(header.findChildren<QLabel*>().first()->text(), u"Daemon"_s);

    // "Starting" lasts only while start() launches the child: look right then.
    std::optional<Seen> starting;
    QObject::connect(&daemon.manager(), &DaemonManager::statusChanged, &header,
                     [&](const DaemonManager::Status& status) {
                         if (status.kind() == Kind::starting)
                             starting = seen();
                     });
    ASSERT_TRUE(daemon.startAndSettle());
    ASSERT_TRUE(starting);
    EXPECT_EQ(*starting,
              (Seen{u"circle.dotted"_s, SemanticColor::yellow, u"Starting…"_s, {}, true}));
    EXPECT_EQ(seen(), (Seen{u"circle.fill"_s,
                            SemanticColor::green,
                            u"Running (pid %1)"_s.arg(daemon.manager().status().pid()),
                            {u"Restart"_s, u"Stop"_s},
                            false}));

    daemon.manager().stop();
    ASSERT_TRUE(waitUntil([&] { return !daemon.manager().hasChild(); }));
    daemon.setCrashing(true);
    ASSERT_TRUE(daemon.startAndSettle());
    EXPECT_EQ(seen(), (Seen{u"exclamationmark.triangle.fill"_s,
                            SemanticColor::red,
                            u"Crashed (exit 3)"_s,
                            {u"Start"_s},
                            false}));
    const QPushButton* start = Widgets::visibleButton(&header, u"Start"_s);
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
    ASSERT_TRUE(waitUntil([&] { return kind() == Kind::running; }));
    EXPECT_NE(daemon.manager().status().pid(), firstPid);
    click("Stop");
    EXPECT_EQ(kind(), Kind::stopped);
}
