#include "platform/appcast/ReleaseNotes.h"

#include "platform/appcast/HtmlTokenizer.h"

#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <iterator>

namespace {

using Token = HtmlTokenizer::Token;

constexpr QStringView keptElements[] = {
    u"p",     u"div",   u"blockquote", u"pre",    u"ul",  u"ol",      u"li",   u"dl",     u"dt",
    u"dd",    u"h1",    u"h2",         u"h3",     u"h4",  u"h5",      u"h6",   u"table",  u"thead",
    u"tbody", u"tfoot", u"tr",         u"th",     u"td",  u"caption", u"b",    u"strong", u"i",
    u"em",    u"u",     u"s",          u"strike", u"del", u"ins",     u"code", u"tt",     u"kbd",
    u"samp",  u"sub",   u"sup",        u"small",  u"big", u"cite",    u"q",    u"mark"};

constexpr QStringView voidElements[] = {u"br", u"hr"};

// Elements that begin a line of their own in text.
constexpr QStringView blockElements[] = {
    u"p",       u"div",        u"blockquote", u"pre",     u"ul",      u"ol",  u"li",
    u"dl",      u"dt",         u"dd",         u"h1",      u"h2",      u"h3",  u"h4",
    u"h5",      u"h6",         u"table",      u"tr",      u"caption", u"br",  u"hr",
    u"section", u"article",    u"header",     u"footer",  u"main",    u"nav", u"aside",
    u"figure",  u"figcaption", u"address",    u"details", u"summary"};

template <size_t N> bool isOneOf(const QString& name, const QStringView (&names)[N])
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// Control characters could rewrite a terminal or hide text; line ends stay as line ends.
QString withoutControls(const QString& text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 == text.size() || text[i + 1] != u'\n')
                clean += u'\n';
        } else if (c == u'\n' || c == u'\t' || c.category() != QChar::Other_Control) {
            clean += c;
        }
    }
    return clean;
}

std::optional<QString> safeLink(const QString& href)
{
    const QUrl url(href.trimmed());
    if (!url.isValid() || url.scheme() != u"https" || url.host().isEmpty())
        return std::nullopt;
    return url.toString(QUrl::FullyEncoded);
}

// Deeper nesting keeps its text but loses its tags, which keeps every
// closing tag's search short.
constexpr qsizetype deepestNesting = 64;

class SafeHtmlWriter
{
public:
    void write(const Token& token)
    {
        if (token.kind == Token::Kind::text)
            m_html += withoutControls(token.text).toHtmlEscaped();
        else if (token.kind == Token::Kind::startTag)
            open(token);
        else
            close(token.text);
    }

    QString finish()
    {
        while (!m_open.isEmpty())
            close(m_open.last());
        return m_html;
    }

private:
    void open(const Token& tag)
    {
        if (m_open.size() >= deepestNesting)
            return;
        if (isOneOf(tag.text, voidElements)) {
            m_html += u'<' + tag.text + u'>';
        } else if (tag.text == u"a") {
            const std::optional<QString> link = safeLink(tag.href);
            if (link && !m_open.contains(tag.text) && !tag.selfClosing) {
                m_html += QStringLiteral("<a href=\"%1\">").arg(link->toHtmlEscaped());
                m_open.append(tag.text);
            }
        } else if (isOneOf(tag.text, keptElements) && !tag.selfClosing) {
            m_html += u'<' + tag.text + u'>';
            m_open.append(tag.text);
        }
    }

    void close(const QString& name)
    {
        if (!m_open.contains(name))
            return;
        while (!m_open.isEmpty()) {
            const QString last = m_open.takeLast();
            m_html += QStringLiteral("</") + last + u'>';
            if (last == name)
                break;
        }
    }

    QString m_html;
    QStringList m_open;
};

QString tidyLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
        const QString simplified = line.simplified();
        if (!simplified.isEmpty())
            lines.append(simplified);
    }
    return lines.join(u'\n');
}

} // namespace

namespace ReleaseNotes {

QString safeHtml(const QString& notes, bool plainText)
{
    if (plainText) {
        QString html = withoutControls(notes).toHtmlEscaped();
        if (html.isEmpty())
            return html;
        return QStringLiteral("<p>") + html.replace(u'\n', QStringLiteral("<br>")) +
               QStringLiteral("</p>");
    }
    SafeHtmlWriter writer;
    HtmlTokenizer::tokenize(notes, [&](const Token& token) { writer.write(token); });
    return writer.finish();
}

QString text(const QString& notes, bool plainText)
{
    if (plainText)
        return tidyLines(withoutControls(notes));
    QString text;
    HtmlTokenizer::tokenize(notes, [&](const Token& token) {
        if (token.kind == Token::Kind::text)
            text += withoutControls(token.text).replace(u'\n', u' ');
        else if (isOneOf(token.text, blockElements))
            text += u'\n';
    });
    return tidyLines(text);
}

} // namespace ReleaseNotes
