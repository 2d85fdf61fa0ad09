// Linux's answer to the Accessibility permission, and its settings page.
#include "platform/linux/LinuxAccessibility.h"

#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(LinuxAccessibility, IsAlwaysGranted)
{
    EXPECT_TRUE(platform::LinuxAccessibility().isProcessTrusted());
}

TEST(LinuxAccessibility, OpensTheSettingsOfAKnownDesktopWhenInstalled)
{
    QTemporaryDir bin;
    const QString record = bin.filePath(QStringLiteral("opened"));
    const QString settings =
        writeFileAt(bin.filePath(QStringLiteral("gnome-control-center")),
                    "#!/bin/sh\necho \"$@\" > '" + record.toUtf8() + "'\n", true);
    ScopedEnvironment environment("PATH", bin.path().toUtf8());
    environment.set("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");

    EXPECT_EQ(platform::LinuxAccessibility::settingsCommand(QStringLiteral("ubuntu:GNOME")),
              (QStringList{settings, QStringLiteral("universal-access")}));
    platform::LinuxAccessibility().openSettings();
    EXPECT_TRUE(waitUntil([&] { return readFileAt(record) == "universal-access\n"; }));

    // A desktop we do not know, or whose settings program is missing: nothing.
    EXPECT_FALSE(platform::LinuxAccessibility::settingsCommand(QStringLiteral("Plan9")));
    EXPECT_FALSE(platform::LinuxAccessibility::settingsCommand(QStringLiteral("KDE")));
    EXPECT_FALSE(platform::LinuxAccessibility::settingsCommand(QString()));
}
