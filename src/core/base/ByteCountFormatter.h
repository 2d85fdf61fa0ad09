#pragma once

#include <QString>
#include <QtGlobal>

// Sizes as people read them, the way file managers show them: decimal units
// (1 KB = 1,000 bytes), whole kilobytes, one decimal for megabytes, two
// above; trailing zeros dropped. 0 → "Zero KB", 1 → "1 byte",
// 123,456 → "123 KB", 1,500,000 → "1.5 MB".
namespace ByteCountFormatter {

QString fileString(qint64 bytes);

} // namespace ByteCountFormatter
