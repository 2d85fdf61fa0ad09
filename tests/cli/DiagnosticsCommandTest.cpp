// `zentropectl diagnostics`, in-process with its daemon port closed: it
// prints the archive's path and size, or the failure. The archive itself is
// DiagnosticsBundle's, tested in core.
#include "core/base/ByteCountFormatter.h"
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DiagnosticsCommand, PrintsTheArchivesPathAndSizeOrTheFailure)
{
    InProcessCli cli;
    const CliRun made = cli.run(u"diagnostics"_s);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QStringList lines = made.out.split(u'\n');
    ASSERT_EQ(lines.size(), 3) << made.out.toStdString(); // two lines, each ended
    EXPECT_TRUE(lines[0].endsWith(u".zip"_s) && QFileInfo(lines[0]).isFile())
        << lines[0].toStdString();
    EXPECT_EQ(lines[1], ByteCountFormatter::fileString(QFileInfo(lines[0]).size()));

    QTemporaryDir folder;
    // A temporary directory that is a file: the run's folder cannot be made.
    const QString notAFolder = writeFileAt(folder.filePath(u"tmp"_s), "");
    ScopedEnvironment environment("TMPDIR", notAFolder.toUtf8());
    const CliRun failed = cli.run(u"diagnostics"_s);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, QString());
    EXPECT_TRUE(
        failed.err.startsWith(u"Couldn’t create the folder “"_s + notAFolder + u"/zentrope-"_s))
        << failed.err.toStdString();
}
