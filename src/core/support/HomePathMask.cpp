#include "core/support/HomePathMask.h"

#include "core/support/TextRewriter.h"

#include <QDir>
#include <QStringList>
#include <QStringMatcher>
#include <optional>

namespace {

const QString redacted = QStringLiteral("<redacted>");

// "%2F" or "%2f" at `at` for digit '2' and letter 'F'.
bool isEncoded(QStringView text, qsizetype at, char16_t digit, char16_t letter)
{
    return at + 2 < text.size() && text[at + 1] == digit &&
           (text[at + 2] == letter || text[at + 2] == char16_t(letter + (u'a' - u'A')));
}

// The length of the separator at `at`, 0 when there is none.
qsizetype separatorAt(QStringView text, qsizetype at)
{
    if (at >= text.size())
        return 0;
    const QChar c = text[at];
    if (c == u'/' || c == u'\\')
        return 1;
    if (c == u'%' && (isEncoded(text, at, u'2', u'F') || isEncoded(text, at, u'5', u'C')))
        return 3;
    return 0;
}

qsizetype separatorRunEnd(QStringView text, qsizetype at)
{
    while (const qsizetype length = separatorAt(text, at))
        at += length;
    return at;
}

// A separator ends right before `at`, beginning no earlier than `from`.
bool separatorEndsAt(QStringView text, qsizetype at, qsizetype from)
{
    if (at - 1 >= from && (text[at - 1] == u'/' || text[at - 1] == u'\\'))
        return true;
    return at - 3 >= from && separatorAt(text, at - 3) == 3;
}

// What may continue a folder name: a letter or digit of any script, "_", "." or "-".
bool continuesName(QStringView text, qsizetype at)
{
    if (at >= text.size())
        return false;
    const QChar c = text.at(at);
    if (c == u'_' || c == u'.' || c == u'-')
        return true;
    char32_t point = c.unicode();
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        point = QChar::surrogateToUcs4(c, text.at(at + 1));
    return QChar::isLetterOrNumber(point);
}

// Where the last of `folders` begins when they follow each other from `at`
// with a separator before each but the first, and where they end; nothing
// when they do not.
std::optional<std::pair<qsizetype, qsizetype>> followingFolders(QStringView text, qsizetype at,
                                                                const QStringList& folders)
{
    qsizetype last = at;
    qsizetype end = at + folders.first().size();
    for (qsizetype i = 1; i < folders.size(); ++i) {
        const qsizetype next = separatorRunEnd(text, end);
        if (next == end || !text.sliced(next).startsWith(folders[i]))
            return std::nullopt;
        last = next;
        end = next + folders[i].size();
    }
    return std::pair(last, end);
}

const QStringList keywords{QStringLiteral("Users"), QStringLiteral("users"),
                           QStringLiteral("home")};

qsizetype keywordAt(QStringView text, qsizetype at)
{
    for (const QString& keyword : keywords) {
        if (text.sliced(at).startsWith(keyword))
            return keyword.size();
    }
    return 0;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isTildeNameCharacter(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' || c == u'-';
}

} // namespace

namespace HomePathMask {

QString maskHome(const QString& text, const QString& home)
{
    const QStringList folders = QDir::cleanPath(home).split(u'/', Qt::SkipEmptyParts);
    if (folders.isEmpty() || !home.startsWith(u'/'))
        return text; // no folder to hide ("/" or a relative path)
    const QStringMatcher first(folders.first());
    TextRewriter out(text);
    for (qsizetype at = first.indexIn(text); at >= 0;) {
        const auto found = separatorEndsAt(text, at, out.copied())
                               ? followingFolders(text, at, folders)
                               : std::nullopt;
        if (!found || continuesName(text, found->second)) {
            at = first.indexIn(text, at + 1);
            continue;
        }
        out.replace(found->first, found->second, redacted);
        at = first.indexIn(text, found->second);
    }
    return out.finish();
}

QString maskFolderNames(const QString& text)
{
    const QStringView view(text);
    TextRewriter out(text);
    for (qsizetype at = 0; at < view.size(); ++at) {
        const qsizetype keyword = keywordAt(view, at);
        if (keyword == 0 || !separatorEndsAt(view, at, out.copied()))
            continue;
        const qsizetype name = separatorRunEnd(view, at + keyword);
        if (name == at + keyword)
            continue;
        if (const qsizetype folder = keywordAt(view, name);
            folder > 0 && separatorAt(view, name + folder) > 0)
            continue; // a folder of the path, which the next round looks at
        qsizetype end = name;
        while (end < view.size() && view[end] != u'\n' && view[end] != u'"' &&
               separatorAt(view, end) == 0)
            ++end;
        if (end == name)
            continue;
        out.replace(name, end, redacted);
        at = end - 1;
    }
    return out.finish();
}

QString maskTildeNames(const QString& text)
{
    TextRewriter out(text);
    for (qsizetype at = text.indexOf(u'~'); at >= 0; at = text.indexOf(u'~', at + 1)) {
        // Right after a name just hidden ("~al~bo") is no longer within a word.
        if (at > 0 && at != out.copied() && isTildeNameCharacter(text[at - 1]))
            continue;
        if (at + 1 >= text.size() || !(isAsciiLetter(text[at + 1]) || text[at + 1] == u'_'))
            continue;
        qsizetype end = at + 2;
        while (end < text.size() && isTildeNameCharacter(text[end]))
            ++end;
        out.replace(at + 1, end, redacted);
        at = end - 1;
    }
    return out.finish();
}

} // namespace HomePathMask
