// The support tab over a context of fakes, a stand-in for zip that waits for
// the test's word, and a reports folder of its own: what each box shows per
// state and what its controls call. The archive, the report search, the
// draft's address and the byte counts are core's, tested there.
#include "ui/tabs/SupportTab.h"

#include "core/support/SupportContacts.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"
#include "ui/MessageLine.h"
#include "ui/Spinner.h"
#include "ui/UpdateCheckFlow.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/CrashReportsList.h"
#include "ui/tabs/DiagnosticsBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SupportTabTest : public ::testing::Test
{
protected:
    SupportTabTest()
    {
        // zip's stand-in: counts its runs, waits for "go", then fails with 3
        // while "fail" exists, or writes an archive of "size" bytes.
        const QByteArray dir = scratch.path().toUtf8();
        writeFileAt(zip(),
                    "#!/bin/sh\necho run >> '" + dir + "/runs'\n" + "while [ ! -e '" + dir +
                        "/go' ]; do sleep 0.02; done\n" + "if [ -e '" + dir +
                        "/fail' ]; then exit 3; fi\n" + "head -c \"$(cat '" + dir +
                        "/size')\" /dev/zero > \"$3\"\n",
                    /*executable=*/true);
        setArchiveSize(0);
        QLocale::setDefault(QLocale(u"en_US"_s)); // the dates' words
    }
    ~SupportTabTest() override { QLocale::setDefault(QLocale::system()); }

    QString zip() const { return scratch.filePath(u"zip"_s); }
    QString reportsDirectory() const { return scratch.filePath(u"DiagnosticReports"_s); }
    void setArchiveSize(int bytes)
    {
        writeFileAt(scratch.filePath(u"size"_s), QByteArray::number(bytes));
    }
    void release() { writeFileAt(scratch.filePath(u"go"_s), ""); }
    int runs() const
    {
        QFile file(scratch.filePath(u"runs"_s));
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    }

    SupportTab& open()
    {
        SupportTab::Places places = SupportTab::applicationPlaces(app.context());
        places.diagnostics.zipProgram = zip();
        places.diagnostics.temporaryDirectory = scratch.path();
        places.diagnostics.desktopDirectory = scratch.filePath(u"Desktop"_s);
        places.crashReportsDirectory = reportsDirectory();
        tab = std::make_unique<SupportTab>(app.context(), flow, places);
        tab->resize(tab->sizeHint().expandedTo(QSize(600, 0)));
        tab->show();
        return *tab;
    }
    // A click on the box itself: a switch is as wide as its row, but only
    // its box and text take clicks.
    static void toggle(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    QPushButton* button(const QString& text) const
    {
        return Widgets::visibleButton(tab.get(), text);
    }
    DiagnosticsBox* diagnostics() const { return tab->findChild<DiagnosticsBox*>(); }
    // The texts of the labels shown in `root`, in order.
    static QStringList shownTexts(const QWidget* root)
    {
        QStringList texts;
        for (const QLabel* label : root->findChildren<QLabel*>())
            if (label->isVisibleTo(root) && !label->text().isEmpty())
                texts << label->text();
        return texts;
    }

    QTemporaryDir scratch;
    TestContext app;
    platform::UpdaterController& controller = app.context().updater().controller();
    UpdateCheckFlow flow{controller, *app.fakes.workspace, u"1.1"_s};
    std::unique_ptr<SupportTab> tab;
};

} // namespace

TEST_F(SupportTabTest, APressedTwiceGenerateStartsOneRunAndShowsItsArchive)
{
    open();
    EXPECT_EQ(Widgets::visibleButtonTexts(diagnostics()), QStringList{u"Generate diagnostics"_s});
    QPushButton* generate = button(u"Generate diagnostics"_s);
    QTest::mouseClick(generate, Qt::LeftButton);
    QTest::mouseClick(generate, Qt::LeftButton);
    EXPECT_FALSE(generate->isEnabled());
    EXPECT_TRUE(generate->findChild<Spinner*>()->isVisible());
    EXPECT_EQ(shownTexts(generate), QStringList{u"Generating…"_s});
    ASSERT_TRUE(waitUntil([&] { return runs() == 1; })) << "the run reached its zip step";

    release();
    ASSERT_TRUE(waitUntil([&] { return !diagnostics()->isGenerating(); }));
    EXPECT_EQ(runs(), 1);
    EXPECT_TRUE(generate->isEnabled());
    EXPECT_EQ(generate->text(), u"Generate diagnostics"_s);
    const QStringList shown = shownTexts(diagnostics());
    ASSERT_EQ(shown.size(), 3) << shown.join(u" | "_s).toStdString();
    EXPECT_EQ(shown[0], u"Saved to Desktop"_s);
    EXPECT_TRUE(shown[1].startsWith(u"zentrope-diagnostics-") && shown[1].endsWith(u".zip"));
    EXPECT_EQ(shown[2], u"Zero KB"_s) << "an archive of 0 bytes";
    EXPECT_EQ(Widgets::visibleButtonTexts(diagnostics()),
              (QStringList{u"Generate diagnostics"_s, u"Reveal in Finder"_s, u"Compose email"_s}));

    const QString archive = scratch.filePath(u"Desktop/"_s) + shown[1];
    QTest::mouseClick(button(u"Reveal in Finder"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->revealed, QStringList{archive});
    QTest::mouseClick(button(u"Compose email"_s), Qt::LeftButton);
    ASSERT_EQ(app.fakes.workspace->opened.size(), 1);
    EXPECT_EQ(app.fakes.workspace->opened[0].toString(QUrl::FullyEncoded),
              u"mailto:support@zentrope.app?subject=Zentrope%20support%20request&body=Hi%20"
              "Zentrope%20support%2C%0A%0A%5Bdescribe%20the%20issue%20here%5D%0A%0ADiagnostics%20"
              "bundle%20attached%3A%20"_s +
                  shown[1] + u"%0A"_s);
}

TEST_F(SupportTabTest, AFailureAfterASuccessShowsBoth)
{
    release();
    setArchiveSize(123'456);
    open();
    QTest::mouseClick(button(u"Generate diagnostics"_s), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !diagnostics()->isGenerating(); }));
    const QStringList first = shownTexts(diagnostics());
    EXPECT_EQ(first.value(2), u"123 KB"_s);

    writeFileAt(scratch.filePath(u"fail"_s), "");
    QTest::mouseClick(button(u"Generate diagnostics"_s), Qt::LeftButton);
    EXPECT_EQ(shownTexts(diagnostics()).mid(1), first) << "the last archive stays during a run";
    ASSERT_TRUE(waitUntil([&] { return !diagnostics()->isGenerating(); }));
    EXPECT_EQ(shownTexts(diagnostics()), first + QStringList{u"zip exited 3"_s});
    EXPECT_TRUE(diagnostics()->findChild<MessageLine*>()->isVisible());

    // A new run takes the error away; its success shows the new archive.
    QFile::remove(scratch.filePath(u"fail"_s));
    setArchiveSize(2'000'000);
    QTest::mouseClick(button(u"Generate diagnostics"_s), Qt::LeftButton);
    EXPECT_EQ(shownTexts(diagnostics()).mid(1), first);
    ASSERT_TRUE(waitUntil([&] { return !diagnostics()->isGenerating(); }));
    EXPECT_EQ(shownTexts(diagnostics()).value(2), u"2 MB"_s);
    EXPECT_EQ(shownTexts(diagnostics()).size(), 3);
}

TEST_F(SupportTabTest, TheNewest25ReportsNewestFirstAndTheirButtons)
{
    open();
    auto* list = tab->findChild<CrashReportsList*>();
    EXPECT_EQ(shownTexts(list), QStringList{u"No crash reports mentioning Zentrope."_s});

    ASSERT_TRUE(QDir().mkpath(reportsDirectory()));
    const QDateTime start(QDate(2026, 3, 1), QTime(8, 0), Qt::LocalTime);
    for (int number = 0; number < 40; ++number) {
        const QString path =
            reportsDirectory() + u"/Zentrope-%1.ips"_s.arg(number, 2, 10, QChar(u'0'));
        writeFileAt(path, "report");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(start.addSecs(3600 * number), QFileDevice::FileModificationTime));
    }
    QTest::mouseClick(button(u"Refresh"_s), Qt::LeftButton);
    const QStringList shown = shownTexts(list);
    ASSERT_EQ(shown.size(), 50) << "25 rows of a name and a date";
    EXPECT_EQ(shown[0], u"Zentrope-39.ips"_s);
    EXPECT_EQ(shown[1], u"Mar 2, 2026, 11:00 PM"_s);
    EXPECT_EQ(shown[48], u"Zentrope-15.ips"_s);
    ASSERT_EQ(Widgets::visibleButtonTexts(list).count(u"Reveal"_s), 25);
    QTest::mouseClick(Widgets::visibleButton(list, u"Reveal"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->revealed,
              QStringList{reportsDirectory() + u"/Zentrope-39.ips"_s});
    QTest::mouseClick(button(u"Open reports folder"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->revealed.last(), reportsDirectory());
}

TEST_F(SupportTabTest, SettingsWriteThroughAndTheLastCheckIsShown)
{
    open();
    const auto checkBox = [&](const QString& text) {
        for (QCheckBox* box : tab->findChildren<QCheckBox*>())
            if (box->text() == text)
                return box;
        return static_cast<QCheckBox*>(nullptr);
    };
    QLabel* lastChecked = nullptr;
    for (QLabel* label : tab->findChildren<QLabel*>())
        if (label->text().startsWith(u"Updates haven"))
            lastChecked = label;
    ASSERT_TRUE(lastChecked);
    EXPECT_EQ(lastChecked->text(), u"Updates haven't been checked yet."_s);

    QCheckBox* automatic = checkBox(u"Automatically check for updates"_s);
    ASSERT_TRUE(automatic && automatic->isChecked());
    toggle(automatic);
    EXPECT_FALSE(controller.automaticallyChecksForUpdates());
    const QString defaultsFile = app.context().defaults().filePath();
    for (const auto& [text, key, initially] :
         {std::tuple{u"Receive beta updates"_s, DefaultsKeys::betaChannelEnabled, false},
          std::tuple{u"Notify me when the daemon stops unexpectedly"_s, DefaultsKeys::crashAlerts,
                     true}}) {
        QCheckBox* box = checkBox(text);
        ASSERT_TRUE(box) << text.toStdString();
        EXPECT_EQ(box->isChecked(), initially);
        toggle(box);
        EXPECT_EQ(box->isChecked(), !initially);
        EXPECT_EQ(UserDefaults(defaultsFile).value(key), !initially) << "written to the file";
    }

    QTest::mouseClick(button(u"Check for updates now"_s), Qt::LeftButton);
    ASSERT_TRUE(controller.lastUpdateCheckDate());
    EXPECT_TRUE(lastChecked->text().startsWith(u"Last checked: "));
    EXPECT_TRUE(lastChecked->text().endsWith(u" AM"_s) || lastChecked->text().endsWith(u" PM"_s));
    ASSERT_TRUE(waitUntil([&] { return flow.shownWindow() != nullptr; }));
    EXPECT_EQ(qobject_cast<QMessageBox*>(flow.shownWindow())->text(), u"You’re up to date!"_s);
}

TEST_F(SupportTabTest, QuickLinksOpenAndReveal)
{
    open();
    const QString logs = app.context().logDirectory();
    QTest::mouseClick(button(u"support@zentrope.app"_s), Qt::LeftButton);
    QTest::mouseClick(button(u"https://zentrope.app/support"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->opened, (QList<QUrl>{QUrl(u"mailto:support@zentrope.app"_s),
                                                        QUrl(u"https://zentrope.app/support"_s)}));
    QTest::mouseClick(button(logs), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->revealed, QStringList{logs});

    app.fakes.workspace->openError = Error{u"Workspace"_s, 1, u"No browser is set up."_s};
    QTest::mouseClick(button(u"https://zentrope.app/support"_s), Qt::LeftButton);
    EXPECT_TRUE(shownTexts(tab.get()).contains(u"No browser is set up."_s));
    EXPECT_EQ(Widgets::unnamedControls(tab.get()), QList<QWidget*>());
}
