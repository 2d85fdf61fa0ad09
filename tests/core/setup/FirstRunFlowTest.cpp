#include "core/setup/FirstRunFlow.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FirstRunFlow, ClaimsOncePerAccountWithTheFlagOnDiskFirst)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("defaults.conf"));
    UserDefaults first(file);
    UserDefaults second(file); // another launch, with a store of its own

    EXPECT_TRUE(FirstRunFlow::claim(first));
    EXPECT_TRUE(readFileAt(file).contains("zentrope.firstRun.completed=true"));
    EXPECT_FALSE(FirstRunFlow::claim(first));
    EXPECT_FALSE(FirstRunFlow::claim(second));
}
