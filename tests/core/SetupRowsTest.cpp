// Which setup rows show, and the doctor's lines.
#include "core/SetupRows.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

SetupCheck::State allInOrder()
{
    return {true, true, true, true, true, true};
}

QStringList titles(const SetupCheck::State& state)
{
    QStringList titles;
    for (const SetupRows::Row& row : SetupRows::problems(state))
        titles.append(row.title);
    return titles;
}

} // namespace

TEST(SetupRowsTest, TheCertificateRowNamesTheFirstFailingCheck)
{
    SetupCheck::State state = allInOrder();
    state.certTrusted = false;
    EXPECT_EQ(titles(state), QStringList{QStringLiteral("Localhost TLS cert not trusted")});
    EXPECT_TRUE(SetupRows::problems(state)[0].explanation.contains(
        QStringLiteral("isn’t trusted, so Office rejects the daemon’s HTTPS")));
    state.certValid = false;
    EXPECT_EQ(titles(state), QStringList{QStringLiteral("Localhost TLS cert expired")});
    state.certInstalled = false;
    EXPECT_EQ(titles(state), QStringList{QStringLiteral("Localhost TLS cert missing")});
}

TEST(SetupRowsTest, TheAddInIsMissedOnlyWhenAnOfficeHostIsInstalled)
{
    SetupCheck::State state = allInOrder();
    state.anyHostSideloaded = false;
    EXPECT_EQ(titles(state), QStringList{QStringLiteral("Add-in not yet sideloaded into Office")});
    state.anyHostInstalled = false;
    EXPECT_FALSE(SetupRows::setupNeeded(state));
    EXPECT_EQ(SetupRows::lines(state),
              (QStringList{QStringLiteral("Localhost TLS cert: OK"),
                           QStringLiteral("Office add-in: OK (no Office application installed)"),
                           QStringLiteral("Accessibility permission: OK"),
                           QStringLiteral("Setup complete.")}));
}

TEST(SetupRowsTest, EveryProblemGetsItsLineInOrder)
{
    const SetupCheck::State state{false, false, false, false, true, false};
    EXPECT_TRUE(SetupRows::setupNeeded(state));
    EXPECT_EQ(SetupRows::lines(state),
              (QStringList{QStringLiteral("Localhost TLS cert missing"),
                           QStringLiteral("Add-in not yet sideloaded into Office"),
                           QStringLiteral("Accessibility permission not granted"),
                           QStringLiteral("Setup needed.")}));
    EXPECT_EQ(SetupRows::problems(state)[2].check, SetupRows::Check::accessibility);
}
