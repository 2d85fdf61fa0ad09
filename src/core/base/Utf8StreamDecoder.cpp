#include "core/base/Utf8StreamDecoder.h"

namespace {

constexpr qsizetype maxSequenceLength = 4;

bool isContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the sequence that `lead` starts; 0 when it starts none.
qsizetype sequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether `second` may follow `lead`: some leads narrow the range, which
// rules out overlong forms, surrogates and code points above U+10FFFF.
bool isValidSecondByte(unsigned char lead, unsigned char second)
{
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return isContinuation(char(second));
    }
}

} // namespace

Utf8StreamDecoder::Utf8StreamDecoder()
    // Stateless: pieces are joined here, so every call sees whole sequences.
    : m_decoder(QStringConverter::Utf8,
                QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom)
{}

QString Utf8StreamDecoder::decode(QByteArrayView bytes)
{
    if (!m_pending.isEmpty()) {
        m_pending.append(bytes);
        const QByteArray joined = std::exchange(m_pending, {});
        return decode(joined);
    }
    const qsizetype tail = incompleteTailLength(bytes);
    m_pending = bytes.last(tail).toByteArray();
    return decodeWhole(bytes.first(bytes.size() - tail));
}

QString Utf8StreamDecoder::finish()
{
    return decodeWhole(std::exchange(m_pending, {}));
}

QString Utf8StreamDecoder::decodeWhole(QByteArrayView bytes)
{
    return bytes.isEmpty() ? QString() : m_decoder.decode(bytes);
}

qsizetype Utf8StreamDecoder::orphanedContinuationBytes(QByteArrayView bytes)
{
    qsizetype count = 0;
    while (count < bytes.size() && count < maxSequenceLength - 1 && isContinuation(bytes[count]))
        ++count;
    return count;
}

qsizetype Utf8StreamDecoder::incompleteTailLength(QByteArrayView bytes)
{
    // Find the last lead byte within reach of the end.
    const qsizetype reach = std::min(bytes.size(), maxSequenceLength - 1);
    for (qsizetype have = 1; have <= reach; ++have) {
        const qsizetype start = bytes.size() - have;
        if (isContinuation(bytes[start]))
            continue;
        const auto lead = static_cast<unsigned char>(bytes[start]);
        if (have >= sequenceLength(lead))
            return 0; // complete, or not a lead at all
        if (have >= 2 && !isValidSecondByte(lead, static_cast<unsigned char>(bytes[start + 1])))
            return 0; // already invalid: waiting would not mend it
        return have;
    }
    return 0;
}
