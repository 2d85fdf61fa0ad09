// The update flow and its dialog over the fake controller and workspace: which
// window a check shows and what each choice does. Which release is found and
// the notes' cleaning are the update framework's, tested there.
#include "ui/UpdateCheckFlow.h"

#include "support/Printers.h"
#include "support/Wait.h"
#include "ui/ReleaseNotesBrowser.h"
#include "ui/UpdateDialog.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::AvailableUpdate;

namespace {

AvailableUpdate release(const QString& version, const QString& displayVersion)
{
    AvailableUpdate update;
    update.version = version;
    update.displayVersion = displayVersion;
    update.download = QUrl(u"https://example.com/Zentrope-%1.zip"_s.arg(displayVersion));
    return update;
}

class UpdateCheckFlowTest : public ::testing::Test
{
protected:
    platform::FakeUpdaterController& fake() const
    {
        return *app.fakes.updateFramework->lastController();
    }
    UpdateDialog* dialog() const { return qobject_cast<UpdateDialog*>(flow.shownWindow()); }
    QMessageBox* message() const { return qobject_cast<QMessageBox*>(flow.shownWindow()); }
    QStringList dialogTexts() const { return Widgets::shownTexts(dialog()); }
    void choose(const QString& text) { Widgets::click(dialog(), text); }
    bool closed() const
    {
        return waitUntil([this] { return flow.shownWindow() == nullptr; });
    }

    TestContext app;
    platform::UpdaterController& controller = app.context().updater().controller();
    UpdateCheckFlow flow{controller, *app.fakes.workspace, u"1.1"_s};
};

} // namespace

TEST_F(UpdateCheckFlowTest, ACheckOnRequestSaysWhatItFound)
{
    flow.checkNow();
    ASSERT_TRUE(waitUntil([&] { return message() != nullptr; }));
    EXPECT_EQ(message()->text(), u"You’re up to date!"_s);
    EXPECT_EQ(message()->informativeText(),
              u"Zentrope 1.1 is currently the newest version available."_s);

    fake().nextResult = Error{u"Updater"_s, 2, u"The update feed could not be read."_s};
    flow.checkNow();
    ASSERT_TRUE(waitUntil([&] { return message() && message()->text() == u"Update Error!"; }));
    EXPECT_EQ(message()->informativeText(), u"The update feed could not be read."_s);

    fake().nextResult = platform::UpdateCheck{release(u"43"_s, u"1.2"_s)};
    flow.checkNow();
    ASSERT_TRUE(waitUntil([&] { return dialog() != nullptr; }));
    EXPECT_EQ(dialogTexts().mid(0, 2),
              (QStringList{u"A new version of Zentrope is available!"_s,
                           u"Zentrope 1.2 is now available—you have 1.1. Would you like to "
                           "download it now?"_s}));
    EXPECT_EQ(Widgets::visibleButtonTexts(dialog()),
              (QStringList{u"Skip This Version"_s, u"Remind Me Later"_s, u"Download"_s}));
    EXPECT_FALSE(flow.isChecking());
}

TEST_F(UpdateCheckFlowTest, SkipIsRememberedAndALaterVersionIsOfferedAgain)
{
    flow.showFound(release(u"43"_s, u"1.2"_s));
    flow.showFound(release(u"43"_s, u"1.2"_s));
    EXPECT_EQ(QApplication::topLevelWidgets().count(dialog()), 1) << "one dialog per version";
    choose(u"Skip This Version"_s);
    EXPECT_EQ(controller.skippedVersion(), u"43"_s);
    ASSERT_TRUE(closed());

    flow.showFound(release(u"44"_s, u"1.3"_s));
    choose(u"Download"_s);
    EXPECT_EQ(app.fakes.workspace->opened,
              QList<QUrl>{QUrl(u"https://example.com/Zentrope-1.3.zip"_s)});
    ASSERT_TRUE(closed());

    flow.showFound(release(u"44"_s, u"1.3"_s));
    choose(u"Remind Me Later"_s);
    ASSERT_TRUE(closed());
    EXPECT_EQ(controller.skippedVersion(), u"43"_s);
    EXPECT_EQ(app.fakes.workspace->opened.size(), 1);
}

TEST_F(UpdateCheckFlowTest, ACriticalUpdateIsNotSkippedAndAFailedDownloadIsTold)
{
    AvailableUpdate critical = release(u"45"_s, u"1.4"_s);
    critical.critical = true;
    flow.showFound(critical);
    EXPECT_EQ(Widgets::visibleButtonTexts(dialog()),
              (QStringList{u"Remind Me Later"_s, u"Download"_s}));
    EXPECT_TRUE(dialogTexts().value(1).contains(u"This is an important update"));

    app.fakes.workspace->openError = Error{u"Workspace"_s, 1, u"No browser is set up."_s};
    choose(u"Download"_s);
    EXPECT_TRUE(dialogTexts().contains(u"No browser is set up."_s));
    EXPECT_TRUE(dialog()) << "the dialog stays";
}

TEST_F(UpdateCheckFlowTest, TheNotesLoadNothingAndOpenHttpsLinksOutside)
{
    QTemporaryDir dir;
    const QString image = dir.filePath(u"local.png"_s);
    QImage(4, 4, QImage::Format_ARGB32).save(image);
    AvailableUpdate update = release(u"43"_s, u"1.2"_s);
    update.releaseNotesHtml =
        u"<p>Faster. <img src=\"%1\"> <a href=\"https://example.com/more\">More</a>"
        "</p>"_s.arg(QUrl::fromLocalFile(image).toString());
    flow.showFound(update);
    auto* notes = dialog()->findChild<ReleaseNotesBrowser*>();
    ASSERT_TRUE(notes);
    EXPECT_TRUE(notes->toPlainText().startsWith(u"Faster."));
    // Neither the local image nor anything else is read.
    const QVariant shown =
        notes->document()->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(image));
    EXPECT_EQ(shown.value<QImage>().size(), QSize(1, 1));
    EXPECT_EQ(notes->loadResource(QTextDocument::StyleSheetResource, QUrl::fromLocalFile(image)),
              QVariant(QByteArray("")));

    Q_EMIT notes->anchorClicked(QUrl(u"https://example.com/more"_s));
    Q_EMIT notes->anchorClicked(QUrl(u"file:///etc/passwd"_s));
    EXPECT_EQ(app.fakes.workspace->opened, QList<QUrl>{QUrl(u"https://example.com/more"_s)});
    EXPECT_EQ(notes->source(), QUrl()) << "the browser itself went nowhere";
}
