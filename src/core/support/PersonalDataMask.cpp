#include "core/support/PersonalDataMask.h"

#include "core/support/HomePathMask.h"
#include "core/support/SecretMask.h"
#include "core/support/TextRewriter.h"

#include <QDir>
#include <QFileInfo>

namespace {

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
    TextRewriter out(text);
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
    // First, as an address reaches back over "%2F" (its characters may
    // stand in one): after a path's rule it could take the separator that
    // ended a name, and the name would run on when masked again.
    text = maskEmailAddresses(text);
    for (const QString& home : homePaths)
        text = HomePathMask::maskHome(text, home);
    text = HomePathMask::maskFolderNames(text);
    text = SecretMask::apply(std::move(text));
    // Last: "~" after a replacement ("<redacted-key>~al") is no longer part
    // of a word, so masking again would find a name here that this pass missed.
    return HomePathMask::maskTildeNames(text);
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
