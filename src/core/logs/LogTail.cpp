#include "core/logs/LogTail.h"

#include "core/base/RegularFile.h"
#include "core/base/Utf8StreamDecoder.h"

#include <algorithm>

Result<LogTail> LogTail::read(const QString& path, qint64 maxBytes)
{
    // A link at the log's path is not followed: it could make us (as root,
    // say) show a file that is not a log at all.
    const auto file = RegularFile::openForReading(path, RegularFile::FinalLink::refuse);
    if (!file)
        return file.error();
    const auto size = file.value().size();
    if (!size)
        return size.error();
    const qint64 start = std::max<qint64>(0, size.value() - maxBytes);
    const auto bytes = file.value().readAt(start, size.value() - start);
    if (!bytes)
        return bytes.error();

    QByteArrayView view = bytes.value();
    const qsizetype skipped = start > 0 ? Utf8StreamDecoder::orphanedContinuationBytes(view) : 0;
    view = view.sliced(skipped);
    const qsizetype incomplete = Utf8StreamDecoder::incompleteTailLength(view);
    Utf8StreamDecoder decoder;
    LogTail tail;
    tail.text = decoder.decode(view.first(view.size() - incomplete));
    tail.start = start + skipped;
    tail.end = start + skipped + view.size() - incomplete;
    return tail;
}
