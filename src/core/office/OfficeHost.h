#pragma once

#include "platform/Workspace.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// One of the three Office applications that load the add-in, and where its
// sandbox container keeps things. Every location is computed afresh from the
// home folder on each call, so a changed HOME moves them all.
class OfficeHost
{
public:
    enum Case : quint8
    {
        word,
        excel,
        powerpoint
    };

    constexpr OfficeHost(Case value)
        : m_case(value)
    {}

    // word, excel, powerpoint: the order used everywhere.
    static QList<OfficeHost> allCases();
    // Exact and case-sensitive: "word" gives word, "Word" gives nothing.
    static std::optional<OfficeHost> fromRawValue(QStringView rawValue);

    constexpr Case value() const { return m_case; }
    QString rawValue() const;
    QString bundleId() const;
    QString displayName() const;

    QString containerDirectory() const;   // ~/Library/Containers/<bundleId>
    QString wefDirectory() const;         // containerDirectory/Data/Documents/wef
    QString containerDataLibrary() const; // containerDirectory/Data/Library

    // The container folder exists, whether or not the application does.
    bool isInstalled() const;
    // Some running application's bundle identifier is exactly bundleId().
    bool isRunning(const platform::Workspace& workspace) const;
    // The same among applications already listed.
    bool isRunning(const QList<platform::RunningApplication>& applications) const;

    friend constexpr bool operator==(OfficeHost, OfficeHost) = default;

private:
    Case m_case;
};
