#include "InProcessCli.h"

#include "TestServer.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/FileDescriptorSink.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CollectingSink final : public OutputSink
{
public:
    Result<Done> write(const QString& text) override
    {
        collected += text;
        return Done{};
    }

    QString collected;
};

} // namespace

InProcessCli::InProcessCli()
{
    daemon.port = closedLocalPort();
}

CliRun InProcessCli::run(const QStringList& arguments)
{
    CollectingSink out;
    CollectingSink err;
    QFile full(u"/dev/full"_s);
    EXPECT_TRUE(!standardOutputFull || full.open(QIODevice::WriteOnly));
    FileDescriptorSink fullOut(full.handle());
    Console console(standardOutputFull ? static_cast<OutputSink&>(fullOut) : out, err);
    int exitCode = -1;
    {
        ApplicationContext context(fakes.services(), defaults(), bundle.bundle(), daemon);
        CommandLine commandLine(allCommands());
        exitCode = commandLine.run(QStringList{u"zentropectl"_s} + arguments, context, console);
    }
    return {exitCode, out.collected, err.collected};
}

UserDefaults InProcessCli::defaults() const
{
    return UserDefaults(m_folder.filePath(u"defaults.conf"_s));
}
