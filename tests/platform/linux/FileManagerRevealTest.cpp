#include "platform/linux/FileManagerReveal.h"

#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QDBusConnection>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Stands in for the desktop's file manager on the test's own session bus.
class FileManagerService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString& startupId)
    {
        Q_UNUSED(startupId)
        shown += uris;
    }
};

// One private dbus-daemon for the suite: Qt keeps the first session bus it
// connects to for the life of the process.
class FileManagerRevealTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        bus = std::make_unique<QProcess>();
        bus->start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
        ASSERT_TRUE(bus->waitForReadyRead(10000)) << "dbus-daemon did not start";
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus->readLine().trimmed());
    }
    static void TearDownTestSuite()
    {
        bus->kill();
        bus->waitForFinished();
        bus.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        writeFileAt(bin.filePath(QStringLiteral("xdg-open")),
                    "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record().toUtf8() + "'\n", true);
    }
    QString record() const { return bin.filePath(QStringLiteral("record")); }

    static inline std::unique_ptr<QProcess> bus;
    QTemporaryDir bin;
    ScopedEnvironment path{"PATH", bin.path().toUtf8()};
};

} // namespace

TEST_F(FileManagerRevealTest, AsksTheFileManagerToSelectTheItem)
{
    FileManagerService service;
    QDBusConnection connection = QDBusConnection::sessionBus();
    const QString objectPath = QStringLiteral("/org/freedesktop/FileManager1");
    ASSERT_TRUE(connection.registerObject(objectPath, &service, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(connection.registerService(QStringLiteral("org.freedesktop.FileManager1")));

    const auto result = awaitResult(
        platform::FileManagerReveal::reveal(QStringLiteral("/home/someone/My Logs/daemon.log")));
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(service.shown,
              QStringList{QStringLiteral("file:///home/someone/My%20Logs/daemon.log")});
    EXPECT_FALSE(QFile::exists(record())) << "the folder was opened as well";

    connection.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    connection.unregisterObject(objectPath);
}

TEST_F(FileManagerRevealTest, WithoutAFileManagerServiceOpensTheContainingFolder)
{
    const auto result = awaitResult(
        platform::FileManagerReveal::reveal(QStringLiteral("/home/someone/wef/../Documents/wef")));
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(waitUntil([&] { return !readFileAt(record()).isEmpty(); }));
    EXPECT_EQ(readFileAt(record()), QByteArray("file:///home/someone/Documents\n"));
}

#include "FileManagerRevealTest.moc"
