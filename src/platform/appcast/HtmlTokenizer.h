#pragma once

#include <QList>
#include <QString>
#include <QStringView>

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

    static QList<Token> tokenize(QStringView html);

    // "&amp;", "&#60;", "&#x3C;" and the common named references; others stay as written.
    static QString decodeReferences(QStringView text);
};
