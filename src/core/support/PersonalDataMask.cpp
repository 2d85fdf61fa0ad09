#include "core/support/PersonalDataMask.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString redacted = QStringLiteral("<redacted>");

// A home path stands alone when no name character follows it: "/srv/al"
// must not touch "/srv/alice".
QString maskHome(QString text, const QString& home)
{
    const QString path = QDir::cleanPath(home);
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0 || slash == path.size() - 1)
        return text; // no folder name to hide ("/" or a relative path)
    const QRegularExpression pattern(QRegularExpression::escape(path) +
                                         QStringLiteral(R"((?![\w.\-]))"),
                                     QRegularExpression::UseUnicodePropertiesOption);
    return text.replace(pattern, path.left(slash + 1) + redacted);
}

} // namespace

namespace PersonalDataMask {

QString apply(QString text, const QStringList& homePaths)
{
    for (const QString& home : homePaths)
        text = maskHome(std::move(text), home);
    text.replace(QRegularExpression(QStringLiteral("/Users/[^/\n]+")),
                 QStringLiteral("/Users/") + redacted);
    text.replace(QRegularExpression(QStringLiteral("/home/[^/\n]+")),
                 QStringLiteral("/home/") + redacted);
    text.replace(
        QRegularExpression(QStringLiteral(R"([A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,})")),
        QStringLiteral("<redacted-email>"));
    return text;
}

QStringList currentHomePaths()
{
    const QString home = QDir::homePath();
    QStringList paths{home};
    const QString resolved = QFileInfo(home).canonicalFilePath();
    if (!resolved.isEmpty() && resolved != QDir::cleanPath(home))
        paths.append(resolved);
    return paths;
}

} // namespace PersonalDataMask
