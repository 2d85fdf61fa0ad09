#include "CliRun.h"

#include <QProcess>
#include <gtest/gtest.h>

CliRun CliRun::of(const QStringList& arguments, const QProcessEnvironment& environment,
                  const QString& program)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
