#pragma once

#include <QString>
#include <QStringView>
#include <functional>

// Splits HTML from an untrusted source into text and tags, forgivingly, as a
// browser would read it: comments, doctype and processing instructions drop
// out, the content of script, style and other raw-text or embedding elements
// drops out with them, and character references are decoded. Nothing here
// is trusted; whoever rebuilds HTML from the tokens escapes the text.
class HtmlTokenizer
{
public:
    struct Token
    {
        enum class Kind
        {
            text,
            startTag,
            endTag
        };
        Kind kind;
        QString text;     // decoded text; for tags, the name in lower case
        QString href;     // a start tag's decoded href attribute, if any
        bool selfClosing; // "<br/>"
    };

    // Hands each token to `sink` in document order; linear in the length of `html`.
    static void tokenize(QStringView html, const std::function<void(const Token&)>& sink);

    // "&amp;", "&#60;", "&#x3C;" and the common named references; others stay as written.
    static QString decodeReferences(QStringView text);
};
