#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

// The application bundle, answered as the platform's main bundle answers:
// Zentrope.app/Contents/{MacOS,Resources,Info.plist} on every platform.
class Bundle
{
public:
    // A bundle rooted at `path` (the .app folder, or a plain folder).
    explicit Bundle(QString path);

    // The bundle of an executable in `executableDirectory`: the .app folder
    // when it is X.app/Contents/MacOS, otherwise the folder itself.
    static Bundle forExecutableDirectory(const QString& executableDirectory);
    // The bundle of the running executable. Needs a Q(Core)Application.
    static Bundle main();

    QString path() const { return m_path; }
    QString resourcesPath() const;

    // Contents/Resources/[subdirectory/]name[.extension], if a file or folder is there.
    std::optional<QString> resource(const QString& name, const QString& extension = {},
                                    const QString& subdirectory = {}) const;

    // A real one holds a few kilobytes.
    static constexpr qint64 maxInfoPlistBytes = 4 * 1024 * 1024;

    // Contents/Info.plist, read afresh; empty when missing, malformed, larger
    // than maxInfoPlistBytes or not a regular file.
    QVariantMap infoDictionary() const;
    QString infoString(const QString& key) const;

private:
    QString m_path;
};
