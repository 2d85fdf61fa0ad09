// The add-in tab over Office containers in a throwaway home and a fake
// workspace: what it shows and what its controls do. The sideloader and its
// words are core's, tested there.
#include "ui/tabs/AddInTab.h"

#include "core/office/OfficeHost.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/Wait.h"
#include "ui/FileDialog.h"
#include "ui/SymbolView.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/HostRow.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const OfficeHost word = OfficeHost::word;
const OfficeHost excel = OfficeHost::excel;

class AddInTabTest : public ::testing::Test
{
protected:
    void open()
    {
        tab = std::make_unique<AddInTab>(app.context(), fileDialog);
        tab->show();
    }
    static void install(OfficeHost host) { ASSERT_TRUE(QDir().mkpath(host.containerDirectory())); }
    void bundleManifest() { app.bundle.writeFile(u"Resources/setup/manifest.xml"_s, "production"); }

    // A row as a person reads it: name, status line, then its buttons or caption.
    QStringList row(OfficeHost host) const
    {
        const HostRow* row = tab->findChildren<HostRow*>().value(int(host.value()));
        return Widgets::shownTexts(row) + Widgets::visibleButtonTexts(row);
    }
    void click(OfficeHost host, const QString& text)
    {
        Widgets::click(tab->findChildren<HostRow*>().value(int(host.value())), text);
    }
    void click(const QString& text) { Widgets::click(tab.get(), text); }
    // The green and the red line, empty when not shown.
    std::pair<QString, QString> lines() const
    {
        const auto shown = [this](const QString& symbol) {
            for (const QWidget* line :
                 tab->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                const auto* mark =
                    line->findChild<SymbolView*>(QString(), Qt::FindDirectChildrenOnly);
                if (mark && mark->name() == symbol && line->isVisibleTo(tab.get()))
                    return line->findChild<QLabel*>()->text();
            }
            return QString();
        };
        return {shown(u"checkmark.circle.fill"_s), shown(u"xmark.octagon.fill"_s)};
    }
    bool shows(const QString& text) const
    {
        return Widgets::shownTexts(tab.get()).contains(text) ||
               Widgets::visibleButton(tab.get(), text);
    }

    TemporaryHome home;
    TestContext app;
    FileDialog fileDialog;
    std::unique_ptr<AddInTab> tab;
};

} // namespace

TEST_F(AddInTabTest, WithoutTheBundledManifestAPickedOneIsTheSourceUntilForgotten)
{
    const QString missing =
        u"Bundled manifest missing. Reinstall Zentrope or pick a custom manifest."_s;
    install(word);
    open();
    EXPECT_TRUE(shows(missing));
    EXPECT_FALSE(Widgets::visibleButton(tab.get(), u"Install into all"_s)->isEnabled());
    click(word, u"Install"_s);
    EXPECT_EQ(lines(), std::pair(QString(), u"Pick a manifest first."_s));

    fileDialog.setNextFileName(QString()); // cancelled
    click(u"Choose Manifest…"_s);
    EXPECT_FALSE(shows(u"Forget"_s));
    EXPECT_TRUE(fileDialog.lastFilter().contains(u"*.xml"_s));

    fileDialog.setNextFileName(home.path() + u"/beta/manifest-beta.xml"_s);
    click(u"Choose Manifest…"_s);
    auto* custom = tab->findChildren<QRadioButton*>().value(1);
    EXPECT_EQ(custom->text(), u"Custom: manifest-beta.xml"_s);
    EXPECT_TRUE(custom->isVisibleTo(tab.get()) && custom->isChecked());
    EXPECT_FALSE(shows(missing));
    EXPECT_TRUE(Widgets::visibleButton(tab.get(), u"Install into all"_s)->isEnabled());

    click(u"Forget"_s);
    EXPECT_FALSE(custom->isVisibleTo(tab.get()));
    EXPECT_TRUE(tab->findChildren<QRadioButton*>().value(0)->isChecked());
}

TEST_F(AddInTabTest, InstallIntoAllWithOnlyExcelThenRemoveFromAll)
{
    bundleManifest();
    install(excel);
    open();
    EXPECT_EQ(row(excel),
              (QStringList{u"Microsoft Excel"_s, u"Not sideloaded"_s, u"Install"_s, u"Reveal"_s}));
    click(u"Install into all"_s);
    EXPECT_EQ(lines(), std::pair(u"Installed into: Microsoft Excel"_s, QString()));
    EXPECT_EQ(row(excel), (QStringList{u"Microsoft Excel"_s, u"Sideloaded"_s, u"Reinstall"_s,
                                       u"Remove"_s, u"Reveal"_s}));
    // A host without its container: no buttons at all.
    for (const OfficeHost absent : {word, OfficeHost(OfficeHost::powerpoint)})
        EXPECT_EQ(row(absent),
                  (QStringList{absent.displayName(), u"App not installed on this Mac"_s,
                               u"Not installed"_s}));

    app.fakes.workspace->setApplications(
        {{77, excel.bundleId(), u"/Applications/Microsoft Excel.app/Contents/MacOS/Excel"_s}});
    click(u"Quit running Office hosts"_s);
    EXPECT_EQ(app.fakes.workspace->terminated(), QList<qint64>{77});
    EXPECT_EQ(row(excel).value(1), u"Sideloaded — restart to load"_s) << "refreshed";
    click(excel, u"Reveal"_s);
    EXPECT_EQ(app.fakes.workspace->revealed, QStringList{excel.wefDirectory()});

    click(u"Remove from all"_s);
    EXPECT_EQ(lines(), std::pair(u"Removed from: Microsoft Excel"_s, QString()));
    EXPECT_EQ(row(excel).value(1), u"Not sideloaded"_s);
}

TEST_F(AddInTabTest, AFailureAfterASuccessShowsBothLines)
{
    bundleManifest();
    install(word);
    open();
    click(word, u"Install"_s);
    const QString installedAt =
        u"Installed at "_s + word.wefDirectory() + u"/zentrope.manifest.xml"_s;
    EXPECT_EQ(lines(), std::pair(installedAt, QString()));

    fileDialog.setNextFileName(home.path()); // a folder is no manifest
    click(u"Choose Manifest…"_s);
    click(word, u"Reinstall"_s);
    EXPECT_EQ(lines().first, installedAt);
    EXPECT_TRUE(lines().second.startsWith(u"Failed to install into Microsoft Word: "_s))
        << lines().second.toStdString();
    // With nothing done, no summary claims nothing was there: the last message stands.
    click(u"Install into all"_s);
    EXPECT_EQ(lines().first, installedAt);
}
