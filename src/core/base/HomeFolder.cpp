#include "core/base/HomeFolder.h"

#include "core/base/ControlCharacters.h"
#include "core/base/NativeText.h"

#include <QDir>
#include <QFile>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace HomeFolder {

namespace {

Error homeError(int code, const QString& description)
{
    return Error{errorDomain.toString(), code, description};
}

Result<QString> checked(const QByteArray& bytes, const QString& source)
{
    if (bytes.isEmpty())
        return homeError(1, QStringLiteral("%1 is empty.").arg(source));
    const QString shown = ControlCharacters::escapedBytes(bytes);
    if (!bytes.startsWith('/'))
        return homeError(2,
                         QStringLiteral("%1 (“%2”) is not an absolute path.").arg(source, shown));
    const std::optional<QString> text = NativeText::decode(bytes);
    if (!text)
        return homeError(3, QStringLiteral("%1 (“%2”) is not valid UTF-8.").arg(source, shown));
    return QDir::cleanPath(*text);
}

} // namespace

Result<QString> fromEnvironment()
{
    const QString source = QStringLiteral("HOME");
    if (!qEnvironmentVariableIsSet("HOME"))
        return homeError(1, QStringLiteral("HOME is not set."));
    return checked(qgetenv("HOME"), source);
}

Result<QString> fromPasswordDatabase()
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
    const QString source = QStringLiteral("The home folder in the password database");
    if (error != 0 || !found || !found->pw_dir)
        return homeError(4, QStringLiteral("This user has no entry in the password database."));
    return checked(QByteArray(found->pw_dir), source);
}

Result<QString> useEnvironmentOrPasswordDatabase()
{
    const Result<QString> environment = fromEnvironment();
    if (environment)
        return environment;
    const Result<QString> database = fromPasswordDatabase();
    if (!database) {
        return homeError(database.error().code,
                         environment.error().description + u' ' + database.error().description);
    }
    qputenv("HOME", QFile::encodeName(database.value()));
    return database;
}

} // namespace HomeFolder
