#include "platform/linux/ProcPortLookup.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QTcpServer>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

TEST(ProcPortLookup, FindsTheProcessListeningOnAPortOverIpv4OrIpv6)
{
    const QString ourName = QString::fromUtf8(readFileAt(u"/proc/self/comm"_s).trimmed());
    const platform::ProcPortLookup lookup;
    for (const QHostAddress& address :
         {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)}) {
        QTcpServer server;
        ASSERT_TRUE(server.listen(address, 0)) << address.toString().toStdString();
        const quint16 port = server.serverPort();
        EXPECT_EQ(lookup.listenerOn(port), (platform::PortHolder{::getpid(), ourName}))
            << address.toString().toStdString();
        server.close();
        EXPECT_EQ(lookup.listenerOn(port), std::nullopt) << "nobody listens any more";
    }
}
