#pragma once

#include "core/base/Bundle.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

// A throwaway application bundle (Name.app/Contents/…) in a temporary folder.
class TestBundle
{
public:
    // The bundle lies at <temp>/<relativeFolder>/Zentrope.app.
    explicit TestBundle(const QString& relativeFolder = {});

    QString root() const { return m_root.path(); }
    QString path() const { return m_path; }
    Bundle bundle() const { return Bundle(m_path); }

    // Writes a file below Contents/ and returns its path; `executable` sets 0755.
    QString writeFile(const QString& relativePath, const QByteArray& content,
                      bool executable = false) const;
    // Installs a shell script as Contents/Resources/Daemon/node and an empty entry.mjs.
    void installFakeDaemon(const QByteArray& shellScript, bool withEntry = true) const;
    void writeInfoPlist(const QVariantMap& strings) const;

private:
    QTemporaryDir m_root;
    QString m_path;
};

// Writes `content` at `path`, creating folders; `executable` sets 0755.
QString writeFileAt(const QString& path, const QByteArray& content, bool executable = false);
QByteArray readFileAt(const QString& path);
// An Info.plist whose dictionary holds `strings` as string entries.
QByteArray infoPlistXml(const QVariantMap& strings);
