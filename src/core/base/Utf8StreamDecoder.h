#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// Decodes UTF-8 that arrives in pieces cut at arbitrary bytes (file reads,
// a tail taken at a byte offset) without losing a character to the cut:
// an incomplete sequence at the end of a piece (at most 3 bytes) waits for
// the next piece, and only bytes that are invalid in themselves become
// U+FFFD. A byte order mark is text like any other and is kept.
class Utf8StreamDecoder
{
public:
    Utf8StreamDecoder();

    // Decodes `bytes` after whatever the previous call left pending.
    QString decode(QByteArrayView bytes);
    // Ends the stream: pending bytes can no longer complete, so they come
    // back as U+FFFD. The decoder is then ready for a new stream.
    QString finish();
    qsizetype pendingBytes() const { return m_pending.size(); }

    // How many bytes at the start of `bytes` continue a character that
    // began before it (0–3): what a reader starting at an arbitrary offset skips.
    static qsizetype orphanedContinuationBytes(QByteArrayView bytes);
    // The length of the incomplete but so far valid sequence that ends `bytes` (0–3).
    static qsizetype incompleteTailLength(QByteArrayView bytes);

private:
    QString decodeWhole(QByteArrayView bytes);

    QStringDecoder m_decoder;
    QByteArray m_pending;
};
