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

constexpr qsizetype longestReference = 32;

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
    Reader(QStringView html, const std::function<void(const Token&)>& sink)
        : m_html(html)
        , m_sink(sink)
    {}

    void read()
    {
        while (m_at < m_html.size()) {
            const qsizetype open = nextMarkup();
            text(open);
            if (open < m_html.size())
                markup();
        }
    }

private:
    void text(qsizetype end)
    {
        if (end > m_at) {
            m_sink(Token{Token::Kind::text,
                         HtmlTokenizer::decodeReferences(m_html.sliced(m_at, end - m_at)),
                         {},
                         false});
        }
        m_at = end;
    }

    // At a "<" that begins a comment, a declaration or a tag.
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
            m_sink(Token{Token::Kind::endTag, name, {}, false});
        } else {
            ++m_at;
            startTag();
        }
    }

    // Where the next comment, declaration or tag begins; a "<" before anything
    // else ("a < b", "<3") is text.
    qsizetype nextMarkup() const
    {
        for (qsizetype at = m_html.indexOf(u'<', m_at); at >= 0;
             at = m_html.indexOf(u'<', at + 1)) {
            const QStringView next =
                m_html.sliced(at + 1).first(std::min<qsizetype>(2, m_html.size() - at - 1));
            const bool tag =
                !next.isEmpty() && (next[0].isLetter() || next[0] == u'!' || next[0] == u'?');
            const bool endTag = next.size() == 2 && next[0] == u'/' && next[1].isLetter();
            if (tag || endTag)
                return at;
        }
        return m_html.size();
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
        m_sink(tag);
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
    const std::function<void(const Token&)>& m_sink;
    qsizetype m_at = 0;
};

} // namespace

void HtmlTokenizer::tokenize(QStringView html, const std::function<void(const Token&)>& sink)
{
    Reader(html, sink).read();
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
        // References are short: looking further would make a run of "&" quadratic.
        const qsizetype length =
            text.sliced(amp + 1)
                .first(std::min<qsizetype>(text.size() - amp - 1, longestReference + 1))
                .indexOf(u';');
        const QString replacement = length > 0 ? entity(text.sliced(amp + 1, length)) : QString();
        if (replacement.isEmpty()) {
            decoded += u'&';
            at = amp + 1;
        } else {
            decoded += replacement;
            at = amp + length + 2;
        }
    }
    return decoded;
}
