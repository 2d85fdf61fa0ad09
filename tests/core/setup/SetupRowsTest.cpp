// Which setup rows show, and the doctor's lines.
#include "core/setup/SetupRows.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

TEST(SetupRowsTest, TheCertificateRowNamesTheFirstFailingCheck)
{
    SetupCheck::State state{true, true, false, true, true, true};
    EXPECT_EQ(SetupRows::problems(state).value(0).title,
              QStringLiteral("Localhost TLS cert not trusted"));
    state.certValid = false;
    EXPECT_EQ(SetupRows::problems(state).value(0).title,
              QStringLiteral("Localhost TLS cert expired"));
    state.certInstalled = false;
    EXPECT_EQ(SetupRows::problems(state).value(0).title,
              QStringLiteral("Localhost TLS cert missing"));
    EXPECT_EQ(SetupRows::problems(state).size(), 1);
}

TEST(SetupRowsTest, EveryProblemGetsItsLineInOrderButNoHostIsNoProblem)
{
    SetupCheck::State state{false, false, false, false, true, false};
    EXPECT_EQ(SetupRows::lines(state),
              (QStringList{QStringLiteral("Localhost TLS cert missing"),
                           QStringLiteral("Add-in not yet sideloaded into Office"),
                           QStringLiteral("Accessibility permission not granted"),
                           QStringLiteral("Setup needed.")}));
    state = {true, true, true, false, false, true};
    EXPECT_FALSE(SetupRows::setupNeeded(state));
    EXPECT_EQ(SetupRows::lines(state).value(1),
              QStringLiteral("Office add-in: OK (no Office application installed)"));
}
