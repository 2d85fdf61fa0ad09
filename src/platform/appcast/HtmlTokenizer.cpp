#include "platform/appcast/HtmlTokenizer.h"

#include <algorithm>
#include <iterator>

namespace {

using Token = HtmlTokenizer::Token;

// Elements whose content is not text to show; it goes with them.
constexpr QStringView contentDroppingElements[] = {
    u"script",   u"style",     u"title",    u"textarea", u"xmp",   u"iframe", u"noembed",
    u"noframes", u"noscript",  u"template", u"object",   u"svg",   u"math",   u"head",
    u"select",   u"plaintext", u"frameset", u"applet",   u"audio", u"video",  u"canvas"};

struct NamedReference
{
    QStringView name;
    char16_t character;
};

constexpr NamedReference namedReferences[] = {
    {u"amp", u'&'},        {u"lt", u'<'},          {u"gt", u'>'},         {u"quot", u'"'},
    {u"apos", u'\''},      {u"nbsp", u'\u00A0'},   {u"copy", u'\u00A9'},  {u"reg", u'\u00AE'},
    {u"trade", u'\u2122'}, {u"hellip", u'\u2026'}, {u"mdash", u'\u2014'}, {u"ndash", u'\u2013'},
    {u"lsquo", u'\u2018'}, {u"rsquo", u'\u2019'},  {u"ldquo", u'\u201C'}, {u"rdquo", u'\u201D'},
    {u"bull", u'\u2022'},  {u"middot", u'\u00B7'}, {u"euro", u'\u20AC'},  {u"rarr", u'\u2192'},
    {u"larr", u'\u2190'},  {u"times", u'\u00D7'}};

bool dropsContent(const QString& tag)
{
    return std::find(std::begin(contentDroppingElements), std::end(contentDroppingElements), tag) !=
           std::end(contentDroppingElements);
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

QString entity(QStringView name)
{
    if (name.startsWith(u'#')) {
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        bool valid = false;
        const uint code = name.sliced(hex ? 2 : 1).toUInt(&valid, hex ? 16 : 10);
        if (!valid)
            return {};
        const bool scalar = code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        const char32_t character = scalar ? char32_t(code) : U'\uFFFD';
        return QString::fromUcs4(&character, 1);
    }
    const auto found =
        std::find_if(std::begin(namedReferences), std::end(namedReferences),
                     [&](const NamedReference& reference) { return reference.name == name; });
    return found == std::end(namedReferences) ? QString() : QString(QChar(found->character));
}

class Reader
{
public:
    explicit Reader(QStringView html)
        : m_html(html)
    {}

    QList<Token> tokens()
    {
        while (m_at < m_html.size()) {
            const qsizetype open = m_html.indexOf(u'<', m_at);
            text(open < 0 ? m_html.size() : open);
            if (open >= 0)
                markup();
        }
        return m_tokens;
    }

private:
    void text(qsizetype end)
    {
        if (end > m_at) {
            m_tokens.append({Token::Kind::text,
                             HtmlTokenizer::decodeReferences(m_html.sliced(m_at, end - m_at)),
                             {},
                             false});
        }
        m_at = end;
    }

    // At a "<": a comment, a declaration, a tag, or a "<" that is just text.
    void markup()
    {
        const QStringView rest = m_html.sliced(m_at);
        if (rest.startsWith(u"<!--")) {
            skipPast(u"-->", 4);
        } else if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
            skipPast(u">", 2);
        } else if (rest.startsWith(u"</") && rest.size() > 2 && rest[2].isLetter()) {
            m_at += 2;
            const QString name = tagName();
            skipPast(u">", 0);
            m_tokens.append({Token::Kind::endTag, name, {}, false});
        } else if (rest.size() > 1 && rest[1].isLetter()) {
            ++m_at;
            startTag();
        } else {
            m_tokens.append({Token::Kind::text, QStringLiteral("<"), {}, false});
            ++m_at;
        }
    }

    void skipPast(QStringView end, qsizetype from)
    {
        const qsizetype found = m_html.indexOf(end, m_at + from);
        m_at = found < 0 ? m_html.size() : found + end.size();
    }

    QString tagName()
    {
        const qsizetype start = m_at;
        while (m_at < m_html.size() && isNameChar(m_html[m_at]))
            ++m_at;
        return m_html.sliced(start, m_at - start).toString().toLower();
    }

    void startTag()
    {
        Token tag{Token::Kind::startTag, tagName(), {}, false};
        while (m_at < m_html.size() && m_html[m_at] != u'>') {
            const QChar c = m_html[m_at];
            if (c == u'/') {
                tag.selfClosing = true;
                ++m_at;
            } else if (isNameChar(c)) {
                tag.selfClosing = false;
                attribute(tag);
            } else {
                ++m_at;
            }
        }
        m_at = std::min(m_at + 1, m_html.size());
        if (dropsContent(tag.text) && !tag.selfClosing) {
            const QString end = QStringLiteral("</") + tag.text;
            const qsizetype close = m_html.indexOf(end, m_at, Qt::CaseInsensitive);
            m_at = close < 0 ? m_html.size() : close;
            return; // its end tag follows as a token of its own
        }
        m_tokens.append(tag);
    }

    void attribute(Token& tag)
    {
        const QString name = tagName();
        while (m_at < m_html.size() && m_html[m_at].isSpace())
            ++m_at;
        if (m_at >= m_html.size() || m_html[m_at] != u'=')
            return;
        ++m_at;
        while (m_at < m_html.size() && m_html[m_at].isSpace())
            ++m_at;
        const QChar quote = m_at < m_html.size() ? m_html[m_at] : QChar();
        const bool quoted = quote == u'"' || quote == u'\'';
        const qsizetype start = quoted ? m_at + 1 : m_at;
        qsizetype end = start;
        while (end < m_html.size() &&
               (quoted ? m_html[end] != quote : !m_html[end].isSpace() && m_html[end] != u'>'))
            ++end;
        if (name == u"href")
            tag.href = HtmlTokenizer::decodeReferences(m_html.sliced(start, end - start));
        m_at = std::min(quoted ? end + 1 : end, m_html.size());
    }

    QStringView m_html;
    qsizetype m_at = 0;
    QList<Token> m_tokens;
};

} // namespace

QList<HtmlTokenizer::Token> HtmlTokenizer::tokenize(QStringView html)
{
    return Reader(html).tokens();
}

QString HtmlTokenizer::decodeReferences(QStringView text)
{
    QString decoded;
    decoded.reserve(text.size());
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype amp = text.indexOf(u'&', at);
        if (amp < 0) {
            decoded += text.sliced(at);
            break;
        }
        decoded += text.sliced(at, amp - at);
        const qsizetype semicolon = text.indexOf(u';', amp);
        const qsizetype length = semicolon - amp - 1;
        const QString replacement = semicolon > amp && length > 0 && length <= 32
                                        ? entity(text.sliced(amp + 1, length))
                                        : QString();
        if (replacement.isEmpty()) {
            decoded += u'&';
            at = amp + 1;
        } else {
            decoded += replacement;
            at = semicolon + 1;
        }
    }
    return decoded;
}
