// The setup box's rows, which `zentropectl doctor` prints too: the views'
// suites show one each, and the words of every row are proven here.
#include "core/setup/SetupRows.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Check = SetupRows::Check;
using Row = SetupRows::Row;

TEST(SetupRows, OneRowForEachCheckNotInOrderInTheChecksOwnWords)
{
    const QString plainHttp = u"Without it the daemon falls back to plain HTTP. macOS will ask for "
                              u"your password to add the cert to your keychain."_s;
    const Row addIn{Check::addIn, u"Add-in not yet sideloaded into Office"_s,
                    u"Open the Add-in tab to install into Word, Excel, or PowerPoint."_s};
    const Row accessibility{Check::accessibility, u"Accessibility permission not granted"_s,
                            u"Zentrope sends ⌘W to Prism so it can export the updated chart on "
                            u"Update. Without this, the reinsert flow hangs."_s};
    EXPECT_EQ(SetupRows::problems({.anyHostInstalled = true}),
              (QList<Row>{{Check::certificate, u"Localhost TLS cert missing"_s, plainHttp},
                          addIn,
                          accessibility}));
    EXPECT_EQ(SetupRows::problems({.certInstalled = true, .accessibilityGranted = true}),
              (QList<Row>{{Check::certificate, u"Localhost TLS cert expired"_s, plainHttp}}));
    EXPECT_EQ(
        SetupRows::problems(
            {.certInstalled = true, .certValid = true, .accessibilityGranted = true}),
        (QList<Row>{{Check::certificate, u"Localhost TLS cert not trusted"_s,
                     u"The cert exists but its CA isn’t trusted, so Office rejects the daemon’s "
                     u"HTTPS and the add-in shows “Helper not running”. macOS will ask for your "
                     u"password to trust it."_s}}));
    // Without an Office host the add-in is not missed.
    const SetupCheck::State inOrder{.certInstalled = true,
                                    .certValid = true,
                                    .certTrusted = true,
                                    .accessibilityGranted = true};
    EXPECT_FALSE(SetupRows::setupNeeded(inOrder));
}
