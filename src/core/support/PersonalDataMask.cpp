#include "core/support/PersonalDataMask.h"

#include <QDir>
#include <QFileInfo>
#include <QStringMatcher>

namespace {

const QString redacted = QStringLiteral("<redacted>");

// Builds the masked text: the kept stretches of the source with a
// replacement between them.
class Rewriter
{
public:
    explicit Rewriter(const QString& source)
        : m_source(source)
    {}

    qsizetype copied() const { return m_copied; }
    void replace(qsizetype from, qsizetype to, QStringView replacement)
    {
        if (m_result.isEmpty())
            m_result.reserve(m_source.size());
        m_result += QStringView(m_source).sliced(m_copied, from - m_copied);
        m_result += replacement;
        m_copied = to;
    }
    QString finish()
    {
        if (m_copied == 0)
            return m_source; // nothing replaced: no copy
        m_result += QStringView(m_source).sliced(m_copied);
        return m_result;
    }

private:
    const QString& m_source;
    QString m_result;
    qsizetype m_copied = 0;
};

QString withoutLoneSurrogates(QString text)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate())
            ++i;
        else
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
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

// A home path stands alone when no name character follows it: "/srv/al"
// must not touch "/srv/alice". The search costs at most the text's length
// times the path's, and the path is the machine's, not the text's.
QString maskHome(const QString& text, const QString& home)
{
    const QString path = QDir::cleanPath(home);
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0 || slash == path.size() - 1)
        return text; // no folder name to hide ("/" or a relative path)
    const QString replacement = path.left(slash + 1) + redacted;
    const QStringMatcher matcher(path);
    Rewriter out(text);
    for (qsizetype at = matcher.indexIn(text); at >= 0;) {
        const qsizetype end = at + path.size();
        if (continuesName(text, end)) {
            at = matcher.indexIn(text, at + 1);
            continue;
        }
        out.replace(at, end, replacement);
        at = matcher.indexIn(text, end);
    }
    return out.finish();
}

// "<prefix><name>", the name being one or more characters up to a "/" or a
// newline. Each character is looked at once by the search and once by the name.
QString maskFolderNames(const QString& text, const QString& prefix)
{
    const QString replacement = prefix + redacted;
    Rewriter out(text);
    for (qsizetype at = text.indexOf(prefix); at >= 0;) {
        qsizetype end = at + prefix.size();
        while (end < text.size() && text.at(end) != u'/' && text.at(end) != u'\n')
            ++end;
        if (end == at + prefix.size()) {
            at = text.indexOf(prefix, at + 1);
            continue;
        }
        out.replace(at, end, replacement);
        at = text.indexOf(prefix, end);
    }
    return out.finish();
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDomainCharacter(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
}

bool isLocalCharacter(QChar c)
{
    return isDomainCharacter(c) || c == u'_' || c == u'%' || c == u'+';
}

// Finds what the address pattern finds, without its backtracking. Neither
// part of an address can hold "@", so each "@" decides alone: its address
// starts where the run of local characters before it starts (not before the
// previous address's end) and ends after the letters that follow the last
// dot of its domain run having a character before it and two letters after
// it. The runs around two different "@" never overlap, so every character
// is looked at a bounded number of times.
QString maskEmailAddresses(const QString& text)
{
    const QString replacement = QStringLiteral("<redacted-email>");
    Rewriter out(text);
    for (qsizetype at = text.indexOf(u'@'); at >= 0; at = text.indexOf(u'@', at + 1)) {
        qsizetype start = at;
        while (start > out.copied() && isLocalCharacter(text.at(start - 1)))
            --start;
        qsizetype domainEnd = at + 1;
        while (domainEnd < text.size() && isDomainCharacter(text.at(domainEnd)))
            ++domainEnd;
        if (start == at)
            continue;
        qsizetype dot = domainEnd - 3;
        while (dot >= at + 2 && !(text.at(dot) == u'.' && isAsciiLetter(text.at(dot + 1)) &&
                                  isAsciiLetter(text.at(dot + 2))))
            --dot;
        if (dot < at + 2)
            continue;
        qsizetype end = dot + 3;
        while (end < domainEnd && isAsciiLetter(text.at(end)))
            ++end;
        out.replace(start, end, replacement);
        at = end - 1;
    }
    return out.finish();
}

} // namespace

namespace PersonalDataMask {

QString apply(QString text, const QStringList& homePaths)
{
    text = withoutLoneSurrogates(std::move(text));
    for (const QString& home : homePaths)
        text = maskHome(text, home);
    text = maskFolderNames(text, QStringLiteral("/Users/"));
    text = maskFolderNames(text, QStringLiteral("/home/"));
    return maskEmailAddresses(text);
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
