#include "TestBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariantMap>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TestBundle::TestBundle(const QString& relativeFolder)
{
    QString folder = m_root.path();
    if (!relativeFolder.isEmpty())
        folder += u'/' + relativeFolder;
    m_path = folder + u"/Zentrope.app"_s;
    QDir().mkpath(m_path + u"/Contents/MacOS"_s);
    QDir().mkpath(m_path + u"/Contents/Resources"_s);
}

QString TestBundle::writeFile(const QString& relativePath, const QByteArray& content,
                              bool executable) const
{
    return writeFileAt(m_path + u"/Contents/"_s + relativePath, content, executable);
}

void TestBundle::installFakeDaemon(const QByteArray& shellScript, bool withEntry) const
{
    writeFile(u"Resources/Daemon/node"_s, "#!/bin/sh\n" + shellScript, true);
    if (withEntry)
        writeFile(u"Resources/Daemon/entry.mjs"_s, "// fake\n");
}

void TestBundle::writeInfoPlist(const QVariantMap& strings) const
{
    writeFile(u"Info.plist"_s, infoPlistXml(strings));
}

QByteArray infoPlistXml(const QVariantMap& strings)
{
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        xml += "<key>" + it.key().toHtmlEscaped().toUtf8() + "</key><string>" +
               it.value().toString().toHtmlEscaped().toUtf8() + "</string>\n";
    }
    return xml + "</dict>\n</plist>\n";
}

QString writeFileAt(const QString& path, const QByteArray& content, bool executable)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup |
                            QFile::ExeOther);
    return path;
}

QByteArray readFileAt(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
