#pragma once

#include <QProcess>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

// A suite on a private dbus-daemon of its own, started once for the suite:
// Qt keeps the first session bus it connects to for the life of the process.
class SessionBusTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        bus = std::make_unique<QProcess>();
        bus->start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
        ASSERT_TRUE(bus->waitForReadyRead(10000)) << "dbus-daemon did not start";
        address = QString::fromUtf8(bus->readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }
    static void TearDownTestSuite()
    {
        bus->kill();
        bus->waitForFinished();
        bus.reset();
    }

    static inline std::unique_ptr<QProcess> bus;
    static inline QString address;
};
