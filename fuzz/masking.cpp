// The personal-data mask, on text read as UTF-8 and as raw UTF-16 (lone
// surrogates included): no invalid UTF-16 comes out; masking what is masked
// changes nothing (so no home-folder name in any form, no secret and no
// e-mail address is left); and on valid text the result is exactly what the
// rules' regular expressions give, applied one after another.
#include "FuzzSupport.h"
#include "core/support/PersonalDataMask.h"

#include <QRegularExpression>
#include <cstring>

namespace {

const QString home = QStringLiteral("/srv/people/al");

// [Ww][Oo][Rr][Dd]: the scans match letters in ASCII only.
QString anyCase(const QString& word)
{
    QString pattern;
    for (const QChar c : word) {
        if (c.isLetter())
            pattern += u'[' + QString(c.toUpper()) + QString(c.toLower()) + u']';
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    return pattern;
}

QString anyCaseOf(const QStringList& words)
{
    QStringList patterns;
    for (const QString& word : words)
        patterns.append(anyCase(word));
    return QStringLiteral("(?:") + patterns.join(u'|') + u')';
}

const QString sep = QStringLiteral(R"((?:/|\\|%2[Ff]|%5[Cc]))");
const QString quote = QStringLiteral(R"((?:\\?["'])?+)");
const QString keywords = QStringLiteral("(?:Users|users|home)");
// A percent escape, and "one ends here": a token or key may begin after one,
// but its digits are no part of a word.
const QString escape = QStringLiteral("%[0-9A-Fa-f]{2}");
const QString escapeBefore = QStringLiteral("(?<=") + escape + u')';
const QString assignment = quote + QStringLiteral(R"([ \t]*+[:=][ \t]*+)");

QRegularExpression expression(const QString& pattern,
                              QRegularExpression::PatternOptions options = {})
{
    QRegularExpression compiled(pattern, options);
    if (!compiled.isValid())
        std::fprintf(stderr, "%s: %s\n", qPrintable(pattern), qPrintable(compiled.errorString()));
    require(compiled.isValid(), "the reference expressions compile");
    return compiled;
}

// The rules as regular expressions, with their replacements, in order. In a
// class, PCRE's \v is every vertical space (U+0085 and U+2028 too), where the
// scans stop at the vertical tab only: \x0B says that.
const std::pair<QRegularExpression, QString> rules[] = {
    {expression(QStringLiteral(R"([A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,})")),
     QStringLiteral("<redacted-email>")},
    {expression(u'(' + sep + QStringLiteral("++srv") + sep + QStringLiteral("++people") + sep +
                    QStringLiteral("++)al(?![\\w.\\-])"),
                QRegularExpression::UseUnicodePropertiesOption),
     QStringLiteral("\\1<redacted>")},
    {expression(u'(' + sep + QStringLiteral("++") + keywords + sep + QStringLiteral("++)(?!") +
                keywords + sep + QStringLiteral(")(?:(?!") + sep + QStringLiteral(")[^\\n\"])+")),
     QStringLiteral("\\1<redacted>")},
    {expression(u'(' + anyCase(QStringLiteral("authorization")) + assignment + quote +
                QStringLiteral(R"([ \t]*+)[^"'\\\r\n]+)")),
     QStringLiteral("\\1<redacted>")},
    {expression(
         u'(' +
         anyCaseOf({u"password"_qs, u"passwd"_qs, u"passphrase"_qs, u"secret"_qs, u"token"_qs,
                    u"apikey"_qs, u"api_key"_qs, u"api-key"_qs, u"access_key"_qs, u"access-key"_qs,
                    u"private_key"_qs, u"private-key"_qs, u"credentials"_qs, u"credential"_qs}) +
         assignment + QStringLiteral(R"()(?:(\\?["'])[^"'\r\n]+|[^ \t\r\n\f\x0B"'\\&,;]+))")),
     QStringLiteral("\\1\\2<redacted>")},
    {expression(QStringLiteral("(?<![A-Za-z])(") + anyCase(QStringLiteral("bearer")) +
                QStringLiteral(R"([ \t]++)[A-Za-z0-9\-._~+/]{8,}+=*+)")),
     QStringLiteral("\\1<redacted>")},
    {expression(QStringLiteral(R"((?:(?<![A-Za-z0-9_\-])|)") + escapeBefore +
                QStringLiteral(R"()(?:[A-Za-z0-9_\-](?<!)") + escape +
                QStringLiteral(R"())*eyJ[A-Za-z0-9_\-]*+\.)"
                               R"([A-Za-z0-9_\-]++\.[A-Za-z0-9_\-]*+)")),
     QStringLiteral("<redacted-jwt>")},
    {expression(QStringLiteral(R"((?:(?<![A-Za-z0-9_\-])|)") + escapeBefore +
                QStringLiteral(R"()(?:sk-|sk_|pk_|rk_|ghp_|gho_|ghu_|ghs_|)"
                               R"(ghr_|github_pat_|xoxb-|xoxp-|xoxa-|xoxr-|xoxs-|AKIA|AIza))"
                               R"([A-Za-z0-9_\-]{12,}+)")),
     QStringLiteral("<redacted-key>")},
    {expression(QStringLiteral(R"((?:\G|(?<![A-Za-z0-9._\-]))~[A-Za-z_][A-Za-z0-9._\-]*)")),
     QStringLiteral("~<redacted>")},
};

QString maskedByExpressions(QString text)
{
    for (const auto& [rule, replacement] : rules)
        text.replace(rule, replacement);
    return text;
}

bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

void check(const QString& text)
{
    const QString masked = PersonalDataMask::apply(text, {home});
    require(!hasLoneSurrogate(masked), "no invalid UTF-16 comes out");
    require(PersonalDataMask::apply(masked, {home}) == masked,
            "masking what is masked changes nothing: nothing is left");
    require(!rules[0].first.match(masked).hasMatch(), "no e-mail address is left");
    if (!hasLoneSurrogate(text))
        require(masked == maskedByExpressions(text), "the scans find what the expressions find");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2); // the input need not be aligned
    check(units);
    return 0;
}
