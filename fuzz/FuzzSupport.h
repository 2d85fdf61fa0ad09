#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A rule every input must keep. Breaking it aborts, so libFuzzer saves the
// input as a finding just as it does for a crash.
inline void require(bool holds, const char* rule)
{
    if (!holds) {
        std::fprintf(stderr, "rule broken: %s\n", rule);
        std::abort();
    }
}

inline QByteArray fuzzBytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input cut at the first `count - 1` separators into `count` pieces
// (missing ones empty), so one input can carry several values.
inline QList<QByteArray> fuzzPieces(const QByteArray& bytes, char separator, int count)
{
    QList<QByteArray> pieces;
    qsizetype from = 0;
    while (pieces.size() < count - 1) {
        const qsizetype at = bytes.indexOf(separator, from);
        if (at < 0)
            break;
        pieces.append(bytes.sliced(from, at - from));
        from = at + 1;
    }
    pieces.append(bytes.sliced(std::min(from, bytes.size())));
    while (pieces.size() < count)
        pieces.append(QByteArray());
    return pieces;
}
