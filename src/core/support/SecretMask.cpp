#include "core/support/SecretMask.h"

#include "core/support/TextRewriter.h"

#include <QStringList>

namespace {

const QString redacted = QStringLiteral("<redacted>");

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiAlphanumeric(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

bool isBase64Url(QChar c)
{
    return isAsciiAlphanumeric(c) || c == u'_' || c == u'-';
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether a percent escape ("%2F") ends just before `at`. An escape reads as
// the character it stands for, so its digits belong to no word after them.
bool afterPercentEscape(QStringView text, qsizetype at)
{
    return at >= 3 && text[at - 3] == u'%' && isHexDigit(text[at - 2]) && isHexDigit(text[at - 1]);
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

QChar asciiLower(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

// `word` (lower case) at `at`, its letters in any case.
bool wordAt(QStringView text, qsizetype at, QStringView word)
{
    if (at + word.size() > text.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (asciiLower(text[at + i]) != word[i])
            return false;
    }
    return true;
}

qsizetype skip(QStringView text, qsizetype at, bool (*what)(QChar))
{
    while (at < text.size() && what(text[at]))
        ++at;
    return at;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// An optional quote, itself perhaps escaped with a backslash: where it ends.
qsizetype optionalQuote(QStringView text, qsizetype at, bool* found = nullptr)
{
    const qsizetype quote = at < text.size() && text[at] == u'\\' ? at + 1 : at;
    const bool is = quote < text.size() && isQuote(text[quote]);
    if (found)
        *found = is;
    return is ? quote + 1 : at;
}

// After a key: an optional quote, blanks, ":" or "=", blanks. Where the
// value may begin, or -1.
qsizetype afterAssignment(QStringView text, qsizetype at)
{
    at = skip(text, optionalQuote(text, at), isBlank);
    if (at >= text.size() || (text[at] != u':' && text[at] != u'='))
        return -1;
    return skip(text, at + 1, isBlank);
}

bool inQuotedValue(QChar c)
{
    return !isQuote(c) && c != u'\r' && c != u'\n';
}

bool inBareValue(QChar c)
{
    return !(c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v' ||
             isQuote(c) || c == u'\\' || c == u'&' || c == u',' || c == u';');
}

bool inHeaderValue(QChar c)
{
    return !isQuote(c) && c != u'\\' && c != u'\r' && c != u'\n';
}

QString maskAuthorization(const QString& text)
{
    TextRewriter out(text);
    const QStringView key = u"authorization";
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!wordAt(text, at, key))
            continue;
        const qsizetype assigned = afterAssignment(text, at + key.size());
        if (assigned < 0)
            continue;
        const qsizetype start = skip(text, optionalQuote(text, assigned), isBlank);
        const qsizetype end = skip(text, start, inHeaderValue);
        if (end == start)
            continue;
        out.replace(start, end, redacted);
        at = end - 1;
    }
    return out.finish();
}

const QStringList secretKeys{
    QStringLiteral("password"),    QStringLiteral("passwd"),      QStringLiteral("passphrase"),
    QStringLiteral("secret"),      QStringLiteral("token"),       QStringLiteral("apikey"),
    QStringLiteral("api_key"),     QStringLiteral("api-key"),     QStringLiteral("access_key"),
    QStringLiteral("access-key"),  QStringLiteral("private_key"), QStringLiteral("private-key"),
    QStringLiteral("credentials"), QStringLiteral("credential"),
};

// Most characters begin no key: one look instead of a comparison per key.
const QString secretKeyInitials = [] {
    QString initials;
    for (const QString& key : secretKeys) {
        if (!initials.contains(key.front()))
            initials += key.front();
    }
    return initials;
}();

// Where the value of a key at `at` lies, or nothing.
std::optional<std::pair<qsizetype, qsizetype>> secretValueAt(QStringView text, qsizetype at)
{
    if (!secretKeyInitials.contains(asciiLower(text[at])))
        return std::nullopt;
    for (const QString& key : secretKeys) {
        if (!wordAt(text, at, key))
            continue;
        const qsizetype assigned = afterAssignment(text, at + key.size());
        if (assigned < 0)
            continue;
        bool quoted = false;
        const qsizetype start = optionalQuote(text, assigned, &quoted);
        const qsizetype end = skip(text, start, quoted ? inQuotedValue : inBareValue);
        if (end > start)
            return std::pair(start, end);
    }
    return std::nullopt;
}

QString maskSecretValues(const QString& text)
{
    TextRewriter out(text);
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (const auto value = secretValueAt(text, at)) {
            out.replace(value->first, value->second, redacted);
            at = value->second - 1;
        }
    }
    return out.finish();
}

bool isBearerTokenCharacter(QChar c)
{
    return isAsciiAlphanumeric(c) || c == u'-' || c == u'.' || c == u'_' || c == u'~' ||
           c == u'+' || c == u'/';
}

QString maskBearerTokens(const QString& text)
{
    TextRewriter out(text);
    const QStringView word = u"bearer";
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!wordAt(text, at, word) || (at > 0 && isAsciiLetter(text[at - 1])))
            continue;
        const qsizetype start = skip(text, at + word.size(), isBlank);
        const qsizetype tokenEnd = skip(text, start, isBearerTokenCharacter);
        if (start == at + word.size() || tokenEnd - start < 8)
            continue;
        const qsizetype end = skip(text, tokenEnd, [](QChar c) { return c == u'='; });
        out.replace(start, end, redacted);
        at = end - 1;
    }
    return out.finish();
}

// A failed attempt at any "eyJ" within the same run of base64url characters
// fails the same way, so the search goes on after that run. A token glued to
// the end of a word takes the word along: a part left before the marker could
// read, on a second pass, as a name of its own (a home folder's). It stops at
// a percent escape, which an encoded path needs whole as its separator.
QString maskWebTokens(const QString& text)
{
    TextRewriter out(text);
    for (qsizetype at = text.indexOf(u"eyJ"); at >= 0; at = text.indexOf(u"eyJ", at)) {
        const qsizetype header = skip(text, at + 3, isBase64Url);
        const bool dot = header < text.size() && text[header] == u'.';
        const qsizetype payload = dot ? skip(text, header + 1, isBase64Url) : header;
        if (!dot || payload == header + 1 || payload >= text.size() || text[payload] != u'.') {
            at = header;
            continue;
        }
        const qsizetype end = skip(text, payload + 1, isBase64Url);
        qsizetype start = at;
        while (start > 0 && isBase64Url(text[start - 1]) && !afterPercentEscape(text, start))
            --start;
        out.replace(start, end, u"<redacted-jwt>");
        at = end;
    }
    return out.finish();
}

const QStringList keyPrefixes{
    QStringLiteral("sk-"),         QStringLiteral("sk_"),   QStringLiteral("pk_"),
    QStringLiteral("rk_"),         QStringLiteral("ghp_"),  QStringLiteral("gho_"),
    QStringLiteral("ghu_"),        QStringLiteral("ghs_"),  QStringLiteral("ghr_"),
    QStringLiteral("github_pat_"), QStringLiteral("xoxb-"), QStringLiteral("xoxp-"),
    QStringLiteral("xoxa-"),       QStringLiteral("xoxr-"), QStringLiteral("xoxs-"),
    QStringLiteral("AKIA"),        QStringLiteral("AIza"),
};

bool keyBetween(QStringView text, qsizetype at, qsizetype runEnd)
{
    for (const QString& prefix : keyPrefixes) {
        if (text.sliced(at).startsWith(prefix) && runEnd - at - prefix.size() >= 12)
            return true;
    }
    return false;
}

// Keys start only where no key character is before them, or just after a
// percent escape ("%22ghp_…" in an encoded query).
QString maskApiKeys(const QString& text)
{
    TextRewriter out(text);
    for (qsizetype at = 0; at < text.size();) {
        if (!isBase64Url(text[at])) {
            ++at;
            continue;
        }
        const qsizetype runEnd = skip(text, at, isBase64Url);
        // A run begins after "%" at the earliest, so an escape can end only two in.
        const qsizetype escaped = at + 2;
        if (keyBetween(text, at, runEnd))
            out.replace(at, runEnd, u"<redacted-key>");
        else if (escaped < runEnd && afterPercentEscape(text, escaped) &&
                 keyBetween(text, escaped, runEnd))
            out.replace(escaped, runEnd, u"<redacted-key>");
        at = runEnd;
    }
    return out.finish();
}

} // namespace

namespace SecretMask {

QString apply(QString text)
{
    text = maskAuthorization(text);
    text = maskSecretValues(text);
    text = maskBearerTokens(text);
    text = maskWebTokens(text);
    return maskApiKeys(text);
}

} // namespace SecretMask
