// The status tab over a real supervisor, a TestServer answering as the daemon and fake
// services. The polling and the setup evaluation are core's, tested there.
#include "ui/tabs/StatusTab.h"

#include "core/office/OfficeHost.h"
#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"
#include "ui/Spinner.h"
#include "ui/SymbolView.h"
#include "ui/support/TestContext.h"
#include "ui/support/Widgets.h"
#include "ui/tabs/DaemonStatusArea.h"
#include "ui/tabs/SetupBox.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

QByteArray answer(const QByteArray& ok, const QByteArray& accessibility)
{
    return R"({"ok": )" + ok + R"(, "version": "2.1", "activeSessions": 3, "permissions": {
        "prismAutomation": "granted", "systemEventsAutomation": "denied",
        "accessibility": ")" +
           accessibility + R"("}})";
}

class StatusTabTest : public ::testing::Test
{
protected:
    StatusTabTest() { server.setAnswer(200, answer("true", "granted")); }

    void open()
    {
        tab = std::make_unique<StatusTab>(app.context());
        tab->poller().setInterval(50ms);
        tab->show();
    }
    bool setupKnown()
    {
        return waitUntil([&] { return tab->setupState().has_value(); });
    }
    QStringList shown() const { return Widgets::shownTexts(tab.get()); }
    // The status area's grid as a person reads it: "✓" for a green check, "!" for an orange mark.
    QStringList rows() const
    {
        QStringList rows;
        auto* grid = tab->findChild<DaemonStatusArea*>()->findChild<QGridLayout*>();
        for (int row = 0;
             grid->parentWidget()->isVisibleTo(tab.get()) && grid->itemAtPosition(row, 0); ++row) {
            QWidget* cell = grid->itemAtPosition(row, 1)->widget();
            const auto* symbol = cell->findChild<SymbolView*>();
            const bool check = symbol->name() == u"checkmark.circle.fill" &&
                               symbol->tint() == SemanticColor::green;
            const bool mark = symbol->name() == u"exclamationmark.circle.fill" &&
                              symbol->tint() == SemanticColor::orange;
            rows << (check  ? u"✓ "_s
                     : mark ? u"! "_s
                            : u"? "_s) +
                        qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget())->text() +
                        u": "_s + cell->findChild<QLabel*>()->text();
        }
        return rows;
    }
    bool spinning() const { return tab->findChild<Spinner*>()->isVisibleTo(tab.get()); }
    // The red line under the status area.
    QString errorLine() const { return shown().filter(u"Could not reach daemon: "_s).value(0); }
    SetupBox* setupBox() const { return tab->findChild<SetupBox*>(); }

    TemporaryHome home;
    TestServer server{TestServer::Serves::plainHttp};
    TestContext app{server.port()};
    std::unique_ptr<StatusTab> tab;
};

} // namespace

TEST_F(StatusTabTest, TheStatusAreaShowsTheSupervisorThenTheSpinnerThenTheAnswer)
{
    open();
    EXPECT_TRUE(shown().contains(u"Daemon is stopped."_s));
    EXPECT_FALSE(spinning());

    server.setAnswer(200, "not a status");
    ASSERT_TRUE(app.startAndSettle());
    EXPECT_TRUE(spinning() && shown().contains(u"Querying daemon…"_s));
    ASSERT_TRUE(waitUntil([&] { return !errorLine().isEmpty(); }));
    EXPECT_TRUE(spinning()) << "the spinner stays until an answer decodes";
    EXPECT_EQ(tab->poller().lastError(), errorLine());

    server.setAnswer(200, answer("false", "restricted"));
    ASSERT_TRUE(waitUntil([&] { return !rows().isEmpty(); }));
    EXPECT_EQ(rows(), (QStringList{
                          u"! Daemon: Listening — version 2.1"_s,
                          u"✓ Sessions: 3 active"_s,
                          u"✓ Prism automation: Granted"_s,
                          u"! System Events: Denied — open System Settings → Privacy & Security → "
                          u"Automation"_s,
                          u"! Accessibility: Restricted"_s,
                      }));
    EXPECT_FALSE(spinning());
    EXPECT_EQ(errorLine(), QString()) << "an answer clears the red line";

    app.manager().stop();
    EXPECT_EQ(rows(), QStringList()) << "the grid goes at once";
    EXPECT_TRUE(shown().contains(u"Daemon is stopped."_s));
}

// The rows' words are the setup checks' own, shown here as written.
TEST_F(StatusTabTest, TheSetupBoxHasARowForEachProblemInTheWordsOfTheChecks)
{
    const auto box = [&] {
        open();
        EXPECT_TRUE(setupKnown());
        QStringList texts = Widgets::shownTexts(setupBox());
        for (const QPushButton* button : setupBox()->findChildren<QPushButton*>()) // top to bottom
            if (button->isVisibleTo(tab.get()))
                texts << u"["_s + button->text() + u"]"_s;
        return setupBox()->isVisibleTo(tab.get()) ? texts : QStringList();
    };
    const QString needed = u"Setup needed"_s;
    ASSERT_TRUE(QDir().mkpath(OfficeHost(OfficeHost::word).containerDirectory()));
    EXPECT_EQ(box(), (QStringList{
                         needed,
                         u"Localhost TLS cert missing"_s,
                         u"Without it the daemon falls back to plain HTTP. macOS will ask for "
                         u"your password to add the cert to your keychain."_s,
                         u"Add-in not yet sideloaded into Office"_s,
                         u"Open the Add-in tab to install into Word, Excel, or PowerPoint."_s,
                         u"Accessibility permission not granted"_s,
                         u"Zentrope sends ⌘W to Prism so it can export the updated chart on "
                         u"Update. Without this, the reinsert flow hangs."_s,
                         u"[Install cert]"_s,
                         u"[Open Settings]"_s,
                     }));
    Widgets::click(setupBox(), u"Open Settings"_s);
    EXPECT_EQ(app.fakes.accessibility->requests, (QStringList{u"trust prompt"_s, u"settings"_s}));

    writeFileAt(SetupCheck::certificatePath(),
                TestCertificates::shared().serverCertificate().toPem());
    writeFileAt(OfficeHost(OfficeHost::word).wefDirectory() + u"/zentrope.manifest.xml"_s, "m");
    app.fakes.accessibility->trusted = true;
    EXPECT_EQ(box(), (QStringList{
                         needed,
                         u"Localhost TLS cert not trusted"_s,
                         u"The cert exists but its CA isn’t trusted, so Office rejects the "
                         u"daemon’s HTTPS and the add-in shows “Helper not running”. macOS will "
                         u"ask for your password to trust it."_s,
                         u"[Install cert]"_s,
                     }));
    app.fakes.certificateTrust->trusted = true;
    EXPECT_EQ(box(), QStringList()) << "nothing to do: no box";
}

TEST_F(StatusTabTest, InstallCertIsDisabledFromTheFirstPressUntilTheInstallerEnds)
{
    const QString runs = home.path() + u"/runs"_s;
    const QString release = home.path() + u"/release"_s;
    app.bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s,
                         "echo run >> '" + runs.toUtf8() + "'\nfor i in $(seq 400); do [ -f '" +
                             release.toUtf8() + "' ] && exit 0; sleep 0.05; done\nexit 1\n");
    open();
    ASSERT_TRUE(setupKnown());
    QPushButton* button = Widgets::visibleButton(setupBox(), u"Install cert"_s);
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->text(), u"Installing…"_s);
    EXPECT_FALSE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return readFileAt(runs) == "run\n"; }));

    writeFileAt(release, "");
    ASSERT_TRUE(waitUntil([&] { return button->isEnabled(); }));
    EXPECT_EQ(button->text(), u"Install cert"_s);
    EXPECT_EQ(readFileAt(runs), "run\n") << "the second press did nothing";
    EXPECT_TRUE(shown().contains(u"Cert installed. The daemon may need a restart."_s));

    // A failing installer says why, and the button can be pressed again.
    app.bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s,
                         "echo 'password refused'\nexit 3\n");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return button->isEnabled(); }));
    EXPECT_TRUE(shown().contains(u"Cert install failed:\npassword refused\n"_s));
}

TEST_F(StatusTabTest, TheLoginSwitchFlipsBackWhenTheChangeFailsAndShowsWhy)
{
    auto& loginItem = *app.fakes.loginItem;
    loginItem.registrationError = Error{u"SMAppService"_s, 1, u"Operation not permitted"_s};
    open();
    auto* toggle = tab->findChild<QCheckBox*>();
    EXPECT_EQ(toggle->text(), u"Open Zentrope at login"_s);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(shown().contains(u"Office can’t start Zentrope on its own — with this off, the "
                                 u"add-in shows “Can’t reach the helper” until you launch the app "
                                 u"after a restart."_s));

    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_FALSE(toggle->isChecked()) << "back to what the system has";
    EXPECT_TRUE(shown().contains(u"Operation not permitted"_s));
    EXPECT_EQ(loginItem.unregistrations, 0) << "flipping back asks nothing more";
}
