// The UTF-8 stream decoder as the tailer feeds it: whatever the cuts between
// the pieces, the text equals the decoding of the bytes in one piece. The
// first byte of the input chooses up to 15 cuts, the next bytes their places.
#include "FuzzSupport.h"
#include "core/base/Utf8StreamDecoder.h"

#include <QList>
#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t cutCount = std::min<std::size_t>(data[0] % 16, size - 1);
    const QByteArray bytes = fuzzBytes(data + 1 + cutCount, size - 1 - cutCount);
    QList<qsizetype> cuts;
    for (std::size_t i = 0; i < cutCount; ++i)
        cuts.append(bytes.isEmpty() ? 0 : data[1 + i] % (bytes.size() + 1));
    std::sort(cuts.begin(), cuts.end());

    Utf8StreamDecoder whole;
    const QString expected = whole.decode(bytes) + whole.finish();
    Utf8StreamDecoder pieces;
    QString text;
    qsizetype from = 0;
    for (const qsizetype cut : cuts) {
        text += pieces.decode(QByteArrayView(bytes).sliced(from, cut - from));
        require(pieces.pendingBytes() <= 3, "at most a character's start waits");
        from = cut;
    }
    text += pieces.decode(QByteArrayView(bytes).sliced(from));
    text += pieces.finish();
    require(text == expected, "any split decodes like one piece");
    require(Utf8StreamDecoder::orphanedContinuationBytes(bytes) <= 3 &&
                Utf8StreamDecoder::incompleteTailLength(bytes) <= 3,
            "a cut character is at most 3 bytes");
    return 0;
}
