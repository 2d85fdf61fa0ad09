#include "TestBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariantMap>
#include <gtest/gtest.h>

TestBundle::TestBundle(const QString& relativeFolder)
{
    QString folder = m_root.path();
    if (!relativeFolder.isEmpty())
        folder += u'/' + relativeFolder;
    m_path = folder + QStringLiteral("/Zentrope.app");
    QDir().mkpath(m_path + QStringLiteral("/Contents/MacOS"));
    QDir().mkpath(m_path + QStringLiteral("/Contents/Resources"));
}

QString TestBundle::writeFile(const QString& relativePath, const QByteArray& content,
                              bool executable) const
{
    return writeFileAt(m_path + QStringLiteral("/Contents/") + relativePath, content, executable);
}

void TestBundle::installFakeDaemon(const QByteArray& shellScript, bool withEntry) const
{
    writeFile(QStringLiteral("Resources/Daemon/node"), "#!/bin/sh\n" + shellScript, true);
    if (withEntry)
        writeFile(QStringLiteral("Resources/Daemon/entry.mjs"), "// fake\n");
}

void TestBundle::writeInfoPlist(const QVariantMap& strings) const
{
    writeFile(QStringLiteral("Info.plist"), infoPlistXml(strings));
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
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
