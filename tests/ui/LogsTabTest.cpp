// The logs tab over fakes. The tail, trim and filter rules are the logs model's, tested in
// core; here the pane stays in step with its display without being set afresh at every append.
#include "ui/tabs/LogsTab.h"

#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/ElidedLabel.h"
#include "ui/SegmentedPicker.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/LogPane.h"
#include "ui/tabs/LogTextView.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Change = platform::FileWatch::Change;

namespace {

QByteArray numberedLines(int first, int count, const QByteArray& word = "line")
{
    QByteArray text;
    for (int number = first; number < first + count; ++number)
        text += word + ' ' + QByteArray::number(number) + '\n';
    return text;
}

class LogsTabTest : public ::testing::Test
{
protected:
    QString logPath(const QString& name = u"daemon.log"_s)
    {
        return app.context().logDirectory() + u'/' + name;
    }
    LogsTab& open()
    {
        tab = std::make_unique<LogsTab>(app.context());
        tab->resize(600, 400);
        tab->show();
        return *tab;
    }
    // Appends to the shown file and waits until the pane has it.
    void arrive(const QByteArray& bytes)
    {
        QFile file(logPath());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(bytes);
        file.close();
        app.fakes.fileWatcher->post(Change::written);
        const QString last = QString::fromUtf8(bytes.right(12));
        ASSERT_TRUE(waitUntil([&] { return tab->model().content().endsWith(last); }));
    }
    QString shown() const { return tab->pane().text(); }
    QScrollBar* scrollBar() const { return tab->pane().textView()->verticalScrollBar(); }

    TestContext app;
    std::unique_ptr<LogsTab> tab;
};

} // namespace

TEST_F(LogsTabTest, OpensOnTheOutputLogWithItsControls)
{
    writeFileAt(logPath(u"daemon.log"_s), "output\n");
    writeFileAt(logPath(u"daemon.err"_s), "errors\n");
    open();
    EXPECT_EQ(shown(), u"output\n"_s);
    EXPECT_TRUE(tab->findChild<QCheckBox*>()->isChecked()) << "Follow";
    EXPECT_EQ(tab->findChild<QLineEdit*>()->placeholderText(), u"Filter"_s);
    auto* picker = tab->findChild<SegmentedPicker*>();
    EXPECT_EQ(Widgets::visibleButtonTexts(picker),
              (QStringList{u"Output (daemon.log)"_s, u"Errors (daemon.err)"_s}));
    for (const QString& control : {u"Copy"_s, u"Reveal"_s, u"Clear view"_s})
        EXPECT_TRUE(Widgets::visibleButton(tab.get(), control)) << control.toStdString();

    const auto pathShown = [&] { return tab->findChild<ElidedLabel*>()->text(); };
    EXPECT_EQ(pathShown(), logPath(u"daemon.log"_s));
    Widgets::click(picker, u"Errors (daemon.err)"_s);
    EXPECT_EQ(shown(), u"errors\n"_s);
    EXPECT_EQ(pathShown(), logPath(u"daemon.err"_s));
}

TEST_F(LogsTabTest, AppendsReachThePaneAsEditsAcrossTheTrim)
{
    writeFileAt(logPath(), "first\r\n");
    open();
    // Three chunks of 400,000 bytes cross the bound of 1,048,576 once.
    for (int chunk = 0; chunk < 3; ++chunk) {
        arrive(numberedLines(chunk * 15'000, 15'000, QByteArray(20, char('a' + chunk))));
        ASSERT_TRUE(shown() == tab->model().displayedContent()) << "chunk " << chunk;
    }
    EXPECT_FALSE(shown().startsWith(u"first")) << "the front was trimmed";
    EXPECT_TRUE(tab->pane().textView()->isAtEnd()) << "followed to the end";
}

TEST_F(LogsTabTest, FilterClearCopyAndReveal)
{
    writeFileAt(logPath(), "INFO start\nerror one\nwarn\nAn Error two\n");
    open();
    auto* filter = tab->findChild<QLineEdit*>();
    // Every keystroke shows its own result at once.
    filter->setFocus();
    const QString typed = u"error"_s;
    for (int length = 1; length <= typed.size(); ++length) {
        QTest::keyClick(filter, typed[length - 1].toLatin1());
        EXPECT_EQ(shown(), tab->model().displayedContent()) << "after " << length << " keys";
    }
    EXPECT_EQ(shown(), u"error one\nAn Error two"_s);
    arrive("ERROR three\nquiet\n");
    EXPECT_EQ(shown(), u"error one\nAn Error two\nERROR three"_s);

    QGuiApplication::clipboard()->setText(u"stale"_s);
    Widgets::click(tab.get(), u"Copy"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"error one\nAn Error two\nERROR three"_s);

    filter->clear();
    EXPECT_EQ(shown(), u"INFO start\nerror one\nwarn\nAn Error two\nERROR three\nquiet\n"_s);
    Widgets::click(tab.get(), u"Clear view"_s);
    EXPECT_EQ(shown(), QString());

    Widgets::click(tab.get(), u"Reveal"_s);
    EXPECT_EQ(app.fakes.workspace->revealed, QStringList{logPath()});
}

TEST_F(LogsTabTest, WithFollowOffArrivingTextLeavesTheViewWhereItIs)
{
    writeFileAt(logPath(), numberedLines(0, 400));
    open();
    ASSERT_TRUE(tab->pane().textView()->isAtEnd());
    QTest::mouseClick(tab->findChild<QCheckBox*>(), Qt::LeftButton);
    ASSERT_FALSE(tab->model().follow());
    scrollBar()->setValue(100);
    const auto topLine = [&] { return tab->pane().textView()->topLineText(); };
    const QString top = topLine();
    arrive(numberedLines(400, 200));
    EXPECT_EQ(scrollBar()->value(), 100);
    EXPECT_EQ(topLine(), top);

    QTest::mouseClick(tab->findChild<QCheckBox*>(), Qt::LeftButton);
    arrive("the end\n");
    EXPECT_TRUE(tab->pane().textView()->isAtEnd());
}
