#include "ToolRun.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

ToolRun ToolRun::run(const TestBundle& bundle, const QStringList& arguments,
                     const QProcessEnvironment& environment)
{
    const QString tool = bundle.path() + QStringLiteral("/Contents/MacOS/zentropectl");
    if (!QFile::exists(tool)) {
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), tool));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
