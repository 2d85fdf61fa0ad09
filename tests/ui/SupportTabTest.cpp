// The support tab over fakes, a stand-in for zip and a reports folder of its own. The archive,
// the report search, the draft's address and the byte counts are core's, tested there.
#include "ui/tabs/SupportTab.h"

#include "core/base/LocalizedDate.h"
#include "core/support/SupportContacts.h"
#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/UpdateCheckFlow.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/CrashReportsList.h"
#include "ui/tabs/DiagnosticsBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        // while "fail" exists, or writes an empty archive.
        const QByteArray dir = scratch.path().toUtf8();
        writeFileAt(zip(),
                    "#!/bin/sh\necho run >> '" + dir + "/runs'\n" + "while [ ! -e '" + dir +
                        "/go' ]; do sleep 0.02; done\n" + "if [ -e '" + dir +
                        "/fail' ]; then exit 3; fi\n: > \"$3\"\n",
                    /*executable=*/true);
    }

    QString zip() const { return scratch.filePath(u"zip"_s); }
    QString reportsDirectory() const { return scratch.filePath(u"DiagnosticReports"_s); }
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
    QPushButton* button(const QString& text) const
    {
        return Widgets::visibleButton(tab.get(), text);
    }
    DiagnosticsBox* diagnostics() const { return tab->findChild<DiagnosticsBox*>(); }
    QStringList shown() const { return Widgets::shownTexts(diagnostics()); }
    bool generated()
    {
        return waitUntil([&] { return !diagnostics()->isGenerating(); });
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
    EXPECT_EQ(Widgets::shownTexts(generate), QStringList{u"Generating…"_s});
    ASSERT_TRUE(waitUntil([&] { return runs() == 1; })) << "the run reached its zip step";

    release();
    ASSERT_TRUE(generated());
    EXPECT_EQ(runs(), 1);
    EXPECT_TRUE(generate->isEnabled());
    EXPECT_EQ(generate->text(), u"Generate diagnostics"_s);
    const QString made = QDir(scratch.filePath(u"Desktop"_s)).entryList(QDir::Files).value(0);
    const QStringList archive = shown();
    EXPECT_EQ(archive, (QStringList{u"Saved to Desktop"_s, made, u"Zero KB"_s}));
    EXPECT_EQ(Widgets::visibleButtonTexts(diagnostics()),
              (QStringList{u"Generate diagnostics"_s, u"Reveal in Finder"_s, u"Compose email"_s}));

    QTest::mouseClick(button(u"Reveal in Finder"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->revealed, QStringList{scratch.filePath(u"Desktop/"_s) + made});
    QTest::mouseClick(button(u"Compose email"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->opened, QList<QUrl>{SupportContacts::supportRequestDraft(made)});

    // A failure shows beside the last archive, which stays on show through each run.
    writeFileAt(scratch.filePath(u"fail"_s), "");
    QTest::mouseClick(generate, Qt::LeftButton);
    EXPECT_EQ(shown().mid(1), archive);
    ASSERT_TRUE(generated());
    EXPECT_EQ(shown(), archive + QStringList{u"zip exited 3"_s});
    QTest::mouseClick(generate, Qt::LeftButton);
    EXPECT_EQ(shown().mid(1), archive) << "a new run takes the error away";
    ASSERT_TRUE(generated());

    app.fakes.workspace->revealError = Error{u"Workspace"_s, 1, u"No file manager answered."_s};
    QTest::mouseClick(button(u"Reveal in Finder"_s), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return shown().contains(u"No file manager answered."_s); }));
}

TEST_F(SupportTabTest, AReportIsListedWithItsButtons)
{
    open();
    auto* list = tab->findChild<CrashReportsList*>();
    EXPECT_EQ(Widgets::shownTexts(list), QStringList{u"No crash reports mentioning Zentrope."_s});

    const QString report = writeFileAt(reportsDirectory() + u"/crash.ips"_s, "Zentrope");
    QTest::mouseClick(button(u"Refresh"_s), Qt::LeftButton);
    EXPECT_EQ(Widgets::shownTexts(list),
              (QStringList{u"crash.ips"_s, LocalizedDate::abbreviatedWithShortTime(
                                               QFileInfo(report).lastModified())}));
    QTest::mouseClick(Widgets::visibleButton(list, u"Reveal"_s), Qt::LeftButton);
    QTest::mouseClick(button(u"Open reports folder"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.workspace->revealed, (QStringList{report, reportsDirectory()}));
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
    // A click on the box itself: a switch is as wide as its row, but only
    // its box and text take clicks.
    const auto toggle = [](QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    };
    const auto lastChecked = [&] { return Widgets::shownTexts(tab.get()).filter(u"hecked"_s); };
    EXPECT_EQ(lastChecked(), QStringList{u"Updates haven't been checked yet."_s});

    QCheckBox* automatic = checkBox(u"Automatically check for updates"_s);
    ASSERT_TRUE(automatic && automatic->isChecked());
    toggle(automatic);
    EXPECT_FALSE(controller.automaticallyChecksForUpdates());
    const QString defaultsFile = app.context().defaults().filePath();
    QCheckBox* alerts = checkBox(u"Notify me when the daemon stops unexpectedly"_s);
    ASSERT_TRUE(alerts && alerts->isChecked());
    toggle(alerts);
    EXPECT_FALSE(UserDefaults(defaultsFile).value(DefaultsKeys::crashAlerts)) << "in the file";

    QTest::mouseClick(button(u"Check for updates now"_s), Qt::LeftButton);
    ASSERT_TRUE(controller.lastUpdateCheckDate());
    EXPECT_EQ(lastChecked(),
              QStringList{u"Last checked: "_s + LocalizedDate::abbreviatedWithShortTime(
                                                    *controller.lastUpdateCheckDate())});
    EXPECT_TRUE(waitUntil([&] { return flow.shownWindow() != nullptr; })) << "the check's answer";
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
}
