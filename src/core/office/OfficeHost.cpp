#include "core/office/OfficeHost.h"

#include "platform/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace {

struct Names
{
    QStringView rawValue;
    QStringView bundleId;
    QStringView displayName;
};

// Indexed by OfficeHost::Case. Microsoft spells PowerPoint's identifier with
// a lower-case p, unlike its display name.
constexpr std::array<Names, 3> names{{
    {u"word", u"com.microsoft.Word", u"Microsoft Word"},
    {u"excel", u"com.microsoft.Excel", u"Microsoft Excel"},
    {u"powerpoint", u"com.microsoft.Powerpoint", u"Microsoft PowerPoint"},
}};

} // namespace

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
    return names[m_case].rawValue.toString();
}

QString OfficeHost::bundleId() const
{
    return names[m_case].bundleId.toString();
}

QString OfficeHost::displayName() const
{
    return names[m_case].displayName.toString();
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
    return isRunning(workspace.runningApplications());
}

bool OfficeHost::isRunning(const QList<platform::RunningApplication>& applications) const
{
    const QString identifier = bundleId();
    return std::any_of(applications.begin(), applications.end(), [&](const auto& application) {
        return application.bundleIdentifier && *application.bundleIdentifier == identifier;
    });
}
