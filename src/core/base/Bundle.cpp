#include "core/base/Bundle.h"

#include "core/base/PropertyList.h"
#include "core/base/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

Bundle::Bundle(QString path)
    : m_path(QDir::cleanPath(std::move(path)))
{}

Bundle Bundle::forExecutableDirectory(const QString& executableDirectory)
{
    const QDir macOS(QDir::cleanPath(executableDirectory));
    QDir contents = macOS;
    const bool inContents =
        macOS.dirName() == u"MacOS" && contents.cdUp() && contents.dirName() == u"Contents";
    QDir app = contents;
    if (inContents && app.cdUp() && app.dirName().endsWith(u".app"))
        return Bundle(app.absolutePath());
    return Bundle(macOS.absolutePath());
}

Bundle Bundle::main()
{
    return forExecutableDirectory(QCoreApplication::applicationDirPath());
}

QString Bundle::resourcesPath() const
{
    return m_path + QStringLiteral("/Contents/Resources");
}

std::optional<QString> Bundle::resource(const QString& name, const QString& extension,
                                        const QString& subdirectory) const
{
    QString path = resourcesPath();
    if (!subdirectory.isEmpty())
        path += u'/' + subdirectory;
    path += u'/' + name;
    if (!extension.isEmpty())
        path += u'.' + extension;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return path;
}

QVariantMap Bundle::infoDictionary() const
{
    // Any running program's bundle is read (to find Office among them), so
    // what is there may be a FIFO or a huge file put there by anyone.
    const auto xml = RegularFile::readAll(m_path + QStringLiteral("/Contents/Info.plist"),
                                          maxInfoPlistBytes, RegularFile::FinalLink::follow);
    if (!xml)
        return {};
    return PropertyList::parseDictionary(xml.value()).value_or(QVariantMap{});
}

QString Bundle::infoString(const QString& key) const
{
    return infoDictionary().value(key).toString();
}
