// Linux's answer to the Accessibility permission, and its settings page.
#include "platform/linux/LinuxAccessibility.h"

#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LinuxAccessibility, IsGrantedAndOpensTheSettingsOfAKnownDesktop)
{
    EXPECT_TRUE(platform::LinuxAccessibility().isProcessTrusted());

    QTemporaryDir bin;
    const QString opened = bin.filePath(u"opened"_s);
    writeFileAt(bin.filePath(u"gnome-control-center"_s),
                "#!/bin/sh\necho \"$@\" > '" + opened.toUtf8() + "'\n", true);
    ScopedEnvironment environment("PATH", bin.path().toUtf8());
    environment.set("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    platform::LinuxAccessibility().openSettings();
    EXPECT_TRUE(waitUntil([&] { return readFileAt(opened) == "universal-access\n"; }));

    // A desktop we do not know, or whose settings program is missing: nothing.
    EXPECT_FALSE(platform::LinuxAccessibility::settingsCommand(u"Plan9"_s));
    EXPECT_FALSE(platform::LinuxAccessibility::settingsCommand(u"KDE"_s));
}
