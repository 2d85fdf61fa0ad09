#include "core/base/ControlCharacters.h"

namespace {

// C0, DEL and C1 controls, and the marks that embed, override or isolate a
// direction of writing: none of them is text one reads.
bool isControl(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7f && unit <= 0x9f) || (unit >= 0x202a && unit <= 0x202e) ||
           (unit >= 0x2066 && unit <= 0x2069);
}

QString hex(uint value, int digits)
{
    return QString::number(value, 16).rightJustified(digits, u'0');
}

void append(QString& out, char16_t unit, ControlCharacters::LineBreaks lineBreaks)
{
    if (lineBreaks == ControlCharacters::LineBreaks::keep && (unit == u'\n' || unit == u'\t')) {
        out += QChar(unit);
        return;
    }
    switch (unit) {
    case u'\n':
        out += QStringLiteral("\\n");
        return;
    case u'\r':
        out += QStringLiteral("\\r");
        return;
    case u'\t':
        out += QStringLiteral("\\t");
        return;
    default:
        break;
    }
    out +=
        unit < 0x80 ? QStringLiteral("\\x") + hex(unit, 2) : QStringLiteral("\\u") + hex(unit, 4);
}

} // namespace

namespace ControlCharacters {

QString escaped(QStringView text, LineBreaks lineBreaks)
{
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i; // a pair: one character beyond the basic plane
            continue;
        }
        // A lone half of a pair is no character at all; it is named, not dropped.
        if (!isControl(c.unicode()) && !c.isSurrogate())
            continue;
        if (out.isEmpty())
            out.reserve(text.size() + 16);
        out += text.sliced(copied, i - copied);
        append(out, c.unicode(), lineBreaks);
        copied = i + 1;
    }
    if (copied == 0)
        return text.toString(); // the usual case: nothing to escape
    out += text.sliced(copied);
    return out;
}

QString escapedBytes(QByteArrayView bytes)
{
    QString out;
    qsizetype start = 0; // of the valid run not yet decoded
    qsizetype i = 0;
    const auto flush = [&](qsizetype end) {
        out += escaped(QString::fromUtf8(bytes.sliced(start, end - start)));
    };
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead < 0x80                    ? 1
                           : lead >= 0xc2 && lead <= 0xdf ? 2
                           : lead >= 0xe0 && lead <= 0xef ? 3
                           : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                          : 0;
        bool valid = length > 0 && i + length <= bytes.size();
        for (int k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(bytes[i + k]) & 0xc0) == 0x80;
        // What UTF-8 forbids beyond the lead byte: overlong forms, surrogates, past U+10FFFF.
        if (valid && length > 2) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            valid = !(lead == 0xe0 && second < 0xa0) && !(lead == 0xed && second >= 0xa0) &&
                    !(lead == 0xf0 && second < 0x90) && !(lead == 0xf4 && second >= 0x90);
        }
        if (valid) {
            i += length;
            continue;
        }
        flush(i);
        out += QStringLiteral("\\x") + hex(lead, 2);
        start = ++i;
    }
    flush(i);
    return out;
}

} // namespace ControlCharacters
