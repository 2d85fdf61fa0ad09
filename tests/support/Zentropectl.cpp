#include "Zentropectl.h"

#include "Wait.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

ToolRun runZentropectl(const TestBundle& bundle, const QString& home, const QStringList& arguments)
{
    const QString tool = bundle.path() + QStringLiteral("/Contents/MacOS/zentropectl");
    if (!QFile::exists(tool)) {
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), tool));
    }
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForStarted());
    EXPECT_TRUE(waitUntil([&] { return process.state() == QProcess::NotRunning; }));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
