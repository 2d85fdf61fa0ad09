// The log pane's text view on its own: its line index across edits that cut
// the front, the scroll position it keeps, selecting and copying.
#include "ui/tabs/LogTextView.h"

#include "support/Printers.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString lines(int first, int count)
{
    QString text;
    for (int number = first; number < first + count; ++number)
        text += u"line %1\n"_s.arg(number);
    return text;
}

class LogTextViewTest : public ::testing::Test
{
protected:
    LogTextViewTest()
    {
        view.setFont(QFont(u"monospace"_s, 10));
        view.resize(400, 200);
        view.show();
    }
    // The point in the viewport where `text`'s first character is drawn, for the top line.
    QPoint topLeftOfText() const { return {9, 12}; }

    LogTextView view;
};

} // namespace

TEST_F(LogTextViewTest, EditsCutTheFrontAnywhereAndKeepWhatIsOnScreen)
{
    view.setText(lines(0, 100));
    EXPECT_TRUE(view.isAtEnd());
    view.verticalScrollBar()->setValue(40);
    EXPECT_EQ(view.topLineText(), u"line 40"_s);

    // Mid-line: "line 0\nli" goes, "ne 1" is the first line now.
    view.edit(9, u"line 100\r\npart"_s);
    EXPECT_EQ(view.text(), lines(0, 100).sliced(9) + u"line 100\r\npart"_s);
    EXPECT_EQ(view.topLineText(), u"line 40"_s) << "the text on screen stays";
    EXPECT_EQ(view.verticalScrollBar()->value(), 39);
    view.edit(lines(1, 30).size() - 2, u"ial line\n"_s); // the rest of "line 1" … "line 30"
    EXPECT_EQ(view.topLineText(), u"line 40"_s);
    EXPECT_EQ(view.verticalScrollBar()->value(), 9) << "lines 31 to 40 are left above";

    view.scrollToEnd();
    EXPECT_TRUE(view.isAtEnd());
    view.selectAll();
    EXPECT_EQ(view.selectedText(), view.text()) << "a carriage return is kept in what is copied";
    EXPECT_TRUE(view.text().endsWith(u"line 99\nline 100\r\npartial line\n"_s));

    // Everything goes: what is left is what arrived.
    view.edit(view.text().size(), u"new\n"_s);
    EXPECT_EQ(view.text(), u"new\n"_s);
    EXPECT_EQ(view.topLineText(), u"new"_s);
}

TEST_F(LogTextViewTest, ALongLineWrapsAndStaysOneLine)
{
    const QString longLine = QString(2000, u'x');
    view.setText(longLine + u"\nlast"_s);
    EXPECT_TRUE(view.isAtEnd());
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0) << "the long line is still the top line";
    EXPECT_EQ(view.topLineText(), longLine);
}

TEST_F(LogTextViewTest, SelectingWithTheMouseAndCopyingWithTheKeyboard)
{
    view.setText(u"alpha beta gamma\nsecond line\n"_s);
    QApplication::clipboard()->setText(u"stale"_s);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), u"alpha beta gamma\nsecond line\n"_s);

    // A drag from the first character over the first line.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, topLeftOfText() - QPoint(2, 0));
    QMouseEvent move(QEvent::MouseMove, QPointF(view.viewport()->width() - 10, 12),
                     view.viewport()->mapToGlobal(QPointF(view.viewport()->width() - 10, 12)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {},
                        QPoint(view.viewport()->width() - 10, 12));
    EXPECT_EQ(view.selectedText(), u"alpha beta gamma"_s);

    // The selection keeps to its text when the front is cut.
    view.edit(6, QString());
    EXPECT_EQ(view.selectedText(), u"beta gamma"_s);
}
