// The archive itself is DiagnosticsBundle's, tested in core; the command
// asks the daemon's fixed port, which tests leave alone, so here it runs only
// where it stops before asking: its command line and a failing first step.
#include "support/CliRun.h"
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DiagnosticsCommand, TakesNoArguments)
{
    const auto [helpExit, help, helpErr] = CliRun::of({u"diagnostics"_s, u"--help"_s});
    EXPECT_EQ(helpExit, 0);
    EXPECT_TRUE(help.contains(u"Write a diagnostics zip"_s)) << help.toStdString();
    const auto [exit, out, err] = CliRun::of({u"diagnostics"_s, u"now"_s});
    EXPECT_EQ(exit, 2);
    EXPECT_EQ(err, u"zentropectl: diagnostics takes no arguments\n"_s);
}

TEST(DiagnosticsCommand, AFailedRunEndsWithItsDescription)
{
    QTemporaryDir folder;
    // A temporary directory that is a file: the run's folder cannot be made.
    const QString notAFolder = writeFileAt(folder.filePath(u"tmp"_s), "");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"TMPDIR"_s, notAFolder);
    const auto [exit, out, err] = CliRun::of({u"diagnostics"_s}, environment);
    EXPECT_EQ(exit, 1);
    EXPECT_EQ(out, QString());
    EXPECT_TRUE(err.startsWith(u"Couldn’t create the folder “"_s + notAFolder + u"/zentrope-"_s))
        << err.toStdString();
}
