// The status tab over a real supervisor (a sleeping shell as the daemon), a
// TestServer on 127.0.0.1 answering as the daemon, and fake platform
// services. What it shows per state and what its controls call; the rows'
// words and the polling are core's, tested there.
#include "ui/tabs/StatusTab.h"

#include "core/office/OfficeHost.h"
#include "core/office/Sideloader.h"
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

struct ShownRow
{
    QString label;
    QString value;
    QString symbol;
    SemanticColor tint;

    friend bool operator==(const ShownRow&, const ShownRow&) = default;
};

void PrintTo(const ShownRow& row, std::ostream* os)
{
    *os << row.label.toStdString() << " | " << row.value.toStdString() << " | "
        << row.symbol.toStdString() << ' ' << int(row.tint);
}

QByteArray answer(const QByteArray& ok, const QByteArray& systemEvents,
                  const QByteArray& accessibility = {})
{
    return R"({"ok": )" + ok + R"(, "version": "2.1", "activeSessions": 3, "permissions": {
        "prismAutomation": "granted", "systemEventsAutomation": ")" +
           systemEvents + '"' +
           (accessibility.isEmpty() ? QByteArray()
                                    : R"(, "accessibility": ")" + accessibility + '"') +
           "}}";
}

class StatusTabTest : public ::testing::Test
{
protected:
    StatusTabTest() { server.setAnswer(200, answer("true", "granted")); }

    StatusTab& open()
    {
        tab = std::make_unique<StatusTab>(app.context());
        tab->poller().setInterval(50ms);
        tab->show();
        return *tab;
    }
    bool setupKnown()
    {
        return waitUntil([&] { return tab->setupState().has_value(); });
    }

    // What the status area shows, as a person reads it.
    QList<ShownRow> rows() const
    {
        QList<ShownRow> rows;
        auto* area = tab->findChild<DaemonStatusArea*>();
        auto* grid = area->findChild<QGridLayout*>();
        if (!grid->parentWidget()->isVisibleTo(tab.get()))
            return rows;
        for (int row = 0; row < grid->rowCount() && grid->itemAtPosition(row, 0); ++row) {
            QWidget* cell = grid->itemAtPosition(row, 1)->widget();
            const auto* symbol = cell->findChild<SymbolView*>();
            rows.append({qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget())->text(),
                         cell->findChild<QLabel*>()->text(), symbol->name(), symbol->tint()});
        }
        return rows;
    }
    bool querying() const
    {
        return tab->findChild<Spinner*>()->isVisibleTo(tab.get()) &&
               visibleText(u"Querying daemon…"_s);
    }
    bool visibleText(const QString& text) const
    {
        for (const QLabel* label : tab->findChildren<QLabel*>()) {
            if (label->text() == text && label->isVisibleTo(tab.get()))
                return true;
        }
        return false;
    }
    // The red line under the status area.
    QString errorLine() const
    {
        for (const QLabel* label : tab->findChildren<QLabel*>()) {
            if (label->text().startsWith(u"Could not reach daemon: ") &&
                label->isVisibleTo(tab.get()))
                return label->text();
        }
        return {};
    }
    SetupBox* setupBox() const { return tab->findChild<SetupBox*>(); }
    // The setup box's rows as title and explanation, and its buttons.
    QStringList setupTexts() const
    {
        QStringList texts;
        if (!setupBox()->isVisibleTo(tab.get()))
            return texts;
        for (const QLabel* label : setupBox()->findChildren<QLabel*>()) {
            if (label->isVisibleTo(tab.get()))
                texts << label->text();
        }
        return texts;
    }

    TemporaryHome home;
    TestServer server{TestServer::Serves::plainHttp};
    TestContext app{server.port()};
    std::unique_ptr<StatusTab> tab;
};

} // namespace

TEST_F(StatusTabTest, ADaemonNotRunningIsNotAskedAndSaysSo)
{
    open();
    EXPECT_TRUE(visibleText(u"Daemon is stopped."_s));
    EXPECT_FALSE(querying());
    waitUntil([] { return false; }, 300ms); // several intervals in which nothing may go out
    EXPECT_EQ(server.requests().size(), 0);

    app.setCrashing(true);
    ASSERT_TRUE(app.startAndSettle());
    EXPECT_TRUE(visibleText(u"Daemon is crashed (exit 3)."_s));
    EXPECT_EQ(rows(), QList<ShownRow>());
}

TEST_F(StatusTabTest, ARunningDaemonNotAnsweringShowsTheSpinnerAndTheRedLine)
{
    TestContext unreachable; // its daemon's port has no listener
    ASSERT_TRUE(unreachable.startAndSettle());
    tab = std::make_unique<StatusTab>(unreachable.context());
    tab->show();
    EXPECT_TRUE(querying());
    ASSERT_TRUE(waitUntil([&] { return !errorLine().isEmpty(); }));
    EXPECT_TRUE(querying()) << "the spinner stays until an answer decodes";
    EXPECT_EQ(tab->poller().lastError(), errorLine());
}

TEST_F(StatusTabTest, TheGridShowsEachRowWithItsSymbol)
{
    const auto check = [](const char* label, const QString& value) {
        return ShownRow{QString::fromUtf8(label), value, u"checkmark.circle.fill"_s,
                        SemanticColor::green};
    };
    const auto warn = [](const char* label, const QString& value) {
        return ShownRow{QString::fromUtf8(label), value, u"exclamationmark.circle.fill"_s,
                        SemanticColor::orange};
    };
    const struct
    {
        QByteArray body;
        QList<ShownRow> rows;
    } cases[] = {
        {answer("true", "denied"),
         {check("Daemon", u"Listening — version 2.1"_s), check("Sessions", u"3 active"_s),
          check("Prism automation", u"Granted"_s),
          warn("System Events",
               u"Denied — open System Settings → Privacy & Security → Automation"_s)}},
        {answer("false", "granted", "restricted"),
         {warn("Daemon", u"Listening — version 2.1"_s), check("Sessions", u"3 active"_s),
          check("Prism automation", u"Granted"_s), check("System Events", u"Granted"_s),
          warn("Accessibility", u"Restricted"_s)}},
    };
    ASSERT_TRUE(app.startAndSettle());
    for (const auto& [body, expected] : cases) {
        server.setAnswer(200, body);
        open();
        ASSERT_TRUE(waitUntil([&] { return !rows().isEmpty(); }));
        EXPECT_EQ(rows(), expected);
        EXPECT_FALSE(querying());
    }
}

TEST_F(StatusTabTest, TheRedLineStaysUnderTheLastAnswerAndWhenTheDaemonStops)
{
    ASSERT_TRUE(app.startAndSettle());
    open();
    ASSERT_TRUE(waitUntil([&] { return rows().size() == 4; }));

    server.setAnswer(200, "not a status");
    ASSERT_TRUE(waitUntil([&] { return !errorLine().isEmpty(); }));
    EXPECT_EQ(rows().size(), 4) << "a failing poll keeps the last answer";
    server.setAnswer(200, answer("true", "granted"));
    ASSERT_TRUE(waitUntil([&] { return errorLine().isEmpty(); })) << "the next answer clears it";

    server.setAnswer(200, "not a status");
    ASSERT_TRUE(waitUntil([&] { return !errorLine().isEmpty(); }));
    const QString error = errorLine();
    app.manager().stop();
    EXPECT_EQ(rows(), QList<ShownRow>()) << "the grid goes at once";
    EXPECT_TRUE(visibleText(u"Daemon is stopped."_s));
    EXPECT_EQ(errorLine(), error);
}

TEST_F(StatusTabTest, TheSetupBoxHasARowForEachProblemInTheWordsOfTheChecks)
{
    const QString missing = u"Localhost TLS cert missing"_s;
    const QString expired = u"Localhost TLS cert expired"_s;
    const QString plainHttp = u"Without it the daemon falls back to plain HTTP. macOS will ask for "
                              u"your password to add the cert to your keychain."_s;
    const QString notTrusted = u"Localhost TLS cert not trusted"_s;
    const QString untrustedCa =
        u"The cert exists but its CA isn’t trusted, so Office rejects the daemon’s HTTPS and the "
        u"add-in shows “Helper not running”. macOS will ask for your password to trust it."_s;
    const QString addIn = u"Add-in not yet sideloaded into Office"_s;
    const QString toAddInTab = u"Open the Add-in tab to install into Word, Excel, or PowerPoint."_s;
    const QString accessibility = u"Accessibility permission not granted"_s;
    const QString keystroke = u"Zentrope sends ⌘W to Prism so it can export the updated chart on "
                              u"Update. Without this, the reinsert flow hangs."_s;
    const QString needed = u"Setup needed"_s;
    const QString install = u"Install cert"_s;
    const QStringList everything{needed,     missing,       plainHttp, addIn,
                                 toAddInTab, accessibility, keystroke};
    const QByteArray validCertificate = TestCertificates::shared().serverCertificate().toPem();
    const struct
    {
        const char* certificate; // none, broken, untrusted or trusted
        const char* office;      // none, installed or sideloaded (Word)
        bool accessibilityGranted;
        QStringList texts; // "Setup needed", then each row's title and explanation
        QStringList buttons;
    } cases[] = {
        {"none", "installed", false, everything, {install, u"Open Settings"_s}},
        {"broken", "none", true, {needed, expired, plainHttp}, {install}},
        {"untrusted", "sideloaded", true, {needed, notTrusted, untrustedCa}, {install}},
        {"trusted", "sideloaded", true, {}, {}},
        {"trusted", "none", true, {}, {}}, // no Office host: the add-in is not missed
    };
    for (const auto& each : cases) {
        TemporaryHome caseHome;
        const QString certificate = SetupCheck::certificatePath();
        const QByteArray kind = each.certificate;
        if (kind == "broken")
            writeFileAt(certificate, "not a certificate");
        else if (kind != "none")
            writeFileAt(certificate, validCertificate);
        app.fakes.certificateTrust->trusted = kind == "trusted";
        const OfficeHost word = OfficeHost::word;
        if (QByteArray(each.office) != "none") {
            ASSERT_TRUE(QDir().mkpath(word.containerDirectory()));
        }
        if (QByteArray(each.office) == "sideloaded")
            writeFileAt(word.wefDirectory() + u"/zentrope.manifest.xml"_s, "m");
        app.fakes.accessibility->trusted = each.accessibilityGranted;

        open();
        ASSERT_TRUE(setupKnown());
        EXPECT_EQ(setupTexts(), each.texts);
        QStringList buttons; // top to bottom
        for (const QPushButton* button : setupBox()->findChildren<QPushButton*>())
            if (button->isVisibleTo(tab.get()))
                buttons << button->text();
        EXPECT_EQ(buttons, each.buttons);
    }
}

TEST_F(StatusTabTest, InstallCertIsDisabledFromTheFirstPressUntilTheInstallerEnds)
{
    const QString runs = home.path() + u"/runs"_s;
    const QString release = home.path() + u"/release"_s;
    app.bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s,
                         "echo run >> '" + runs.toUtf8() +
                             "'\n"
                             "for i in $(seq 400); do [ -f '" +
                             release.toUtf8() +
                             "' ] && exit 0; "
                             "sleep 0.05; done\nexit 1\n");
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
    EXPECT_TRUE(visibleText(u"Cert installed. The daemon may need a restart."_s));

    // A failing installer says why, and the button can be pressed again.
    app.bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s,
                         "echo 'password refused'\nexit 3\n");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return button->isEnabled(); }));
    EXPECT_TRUE(visibleText(u"Cert install failed:\npassword refused\n"_s));
    EXPECT_FALSE(visibleText(u"Cert installed. The daemon may need a restart."_s));
}

TEST_F(StatusTabTest, OpenSettingsPromptsThenShowsTheSettingsAndAChangedValueReevaluates)
{
    server.setAnswer(200, answer("true", "granted", "denied"));
    ASSERT_TRUE(app.startAndSettle());
    open();
    ASSERT_TRUE(setupKnown());
    QTest::mouseClick(Widgets::visibleButton(setupBox(), u"Open Settings"_s), Qt::LeftButton);
    EXPECT_EQ(app.fakes.accessibility->requests, (QStringList{u"trust prompt"_s, u"settings"_s}));
    ASSERT_TRUE(waitUntil([&] { return rows().size() == 5; }));
    EXPECT_TRUE(setupTexts().contains(u"Accessibility permission not granted"_s));

    // The user grants it; the daemon reports the new value, and the box follows.
    app.fakes.accessibility->trusted = true;
    server.setAnswer(200, answer("true", "granted", "granted"));
    EXPECT_TRUE(waitUntil(
        [&] { return !setupTexts().contains(u"Accessibility permission not granted"_s); }));
}

TEST_F(StatusTabTest, TheLoginSwitchFlipsBackWhenTheChangeFailsAndShowsWhy)
{
    auto& loginItem = *app.fakes.loginItem;
    loginItem.registrationError = Error{u"SMAppService"_s, 1, u"Operation not permitted"_s};
    open();
    auto* toggle = tab->findChild<QCheckBox*>();
    EXPECT_EQ(toggle->text(), u"Open Zentrope at login"_s);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(visibleText(u"Office can’t start Zentrope on its own — with this off, the add-in "
                            u"shows “Can’t reach the helper” until you launch the app after a "
                            u"restart."_s));

    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_FALSE(toggle->isChecked()) << "back to what the system has";
    EXPECT_TRUE(visibleText(u"Operation not permitted"_s));
    EXPECT_EQ(loginItem.registrations, 1);
    EXPECT_EQ(loginItem.unregistrations, 0) << "flipping back asks nothing more";

    loginItem.registrationError.reset();
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(loginItem.current, platform::LoginItem::Status::enabled);
    EXPECT_FALSE(visibleText(u"Operation not permitted"_s));

    loginItem.current = platform::LoginItem::Status::requiresApproval;
    open();
    EXPECT_FALSE(tab->findChild<QCheckBox*>()->isChecked());
    EXPECT_TRUE(visibleText(u"Turned off in System Settings → General → Login Items. Office "
                            u"can’t start Zentrope on its own, so the add-in will show “Can’t "
                            u"reach the helper” until you launch it."_s));
}
