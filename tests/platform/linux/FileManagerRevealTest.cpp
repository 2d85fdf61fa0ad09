#include "platform/linux/FileManagerReveal.h"

#include "support/Printers.h"
#include "support/SessionBusTest.h"
#include "support/TestBundle.h"
#include "support/Wait.h"
#include "support/XdgOpenRecorder.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Stands in for the desktop's file manager on the test's own session bus.
class FileManagerService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString&) { shown += uris; }
};

using FileManagerRevealTest = SessionBusTest;

} // namespace

TEST_F(FileManagerRevealTest, AsksTheFileManagerToSelectTheItemElseOpensTheContainingFolder)
{
    XdgOpenRecorder xdgOpen;
    xdgOpen.install();
    FileManagerService service;
    QDBusConnection connection = QDBusConnection::sessionBus();
    const QString objectPath = u"/org/freedesktop/FileManager1"_s;
    ASSERT_TRUE(connection.registerObject(objectPath, &service, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(connection.registerService(u"org.freedesktop.FileManager1"_s));
    EXPECT_TRUE(
        awaitResult(platform::FileManagerReveal::reveal(u"/home/someone/My Logs/daemon.log"_s))
            .ok());
    EXPECT_EQ(service.shown, QStringList{u"file:///home/someone/My%20Logs/daemon.log"_s});
    EXPECT_FALSE(QFile::exists(xdgOpen.record())) << "the folder was opened as well";

    connection.unregisterService(u"org.freedesktop.FileManager1"_s);
    connection.unregisterObject(objectPath);
    EXPECT_TRUE(
        awaitResult(platform::FileManagerReveal::reveal(u"/home/someone/wef/../Documents/wef"_s))
            .ok());
    EXPECT_TRUE(waitUntil([&] { return !readFileAt(xdgOpen.record()).isEmpty(); }));
    EXPECT_EQ(readFileAt(xdgOpen.record()), QByteArray("file:///home/someone/Documents\n"));
}

#include "FileManagerRevealTest.moc"
