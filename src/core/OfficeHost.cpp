#include "core/OfficeHost.h"

#include "platform/Workspace.h"

#include <QDir>
#include <QFileInfo>

QList<OfficeHost> OfficeHost::allCases()
{
    return {word, excel, powerpoint};
}

std::optional<OfficeHost> OfficeHost::fromRawValue(QStringView rawValue)
{
    for (const OfficeHost host : allCases()) {
        if (host.rawValue() == rawValue)
            return host;
    }
    return std::nullopt;
}

QString OfficeHost::rawValue() const
{
    switch (m_case) {
    case word:
        return QStringLiteral("word");
    case excel:
        return QStringLiteral("excel");
    case powerpoint:
        return QStringLiteral("powerpoint");
    }
    Q_UNREACHABLE();
}

QString OfficeHost::bundleId() const
{
    switch (m_case) {
    case word:
        return QStringLiteral("com.microsoft.Word");
    case excel:
        return QStringLiteral("com.microsoft.Excel");
    case powerpoint:
        // Microsoft spells it with a lower-case p, unlike the display name.
        return QStringLiteral("com.microsoft.Powerpoint");
    }
    Q_UNREACHABLE();
}

QString OfficeHost::displayName() const
{
    switch (m_case) {
    case word:
        return QStringLiteral("Microsoft Word");
    case excel:
        return QStringLiteral("Microsoft Excel");
    case powerpoint:
        return QStringLiteral("Microsoft PowerPoint");
    }
    Q_UNREACHABLE();
}

QString OfficeHost::containerDirectory() const
{
    return QDir::homePath() + QStringLiteral("/Library/Containers/") + bundleId();
}

QString OfficeHost::wefDirectory() const
{
    return containerDirectory() + QStringLiteral("/Data/Documents/wef");
}

QString OfficeHost::containerDataLibrary() const
{
    return containerDirectory() + QStringLiteral("/Data/Library");
}

bool OfficeHost::isInstalled() const
{
    return QFileInfo::exists(containerDirectory());
}

bool OfficeHost::isRunning(const platform::Workspace& workspace) const
{
    const QString identifier = bundleId();
    const QList<platform::RunningApplication> applications = workspace.runningApplications();
    return std::any_of(applications.begin(), applications.end(), [&](const auto& application) {
        return application.bundleIdentifier && *application.bundleIdentifier == identifier;
    });
}
