#pragma once

#include "core/base/Result.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// Names the system hands over as bytes (paths, HOME, the command line) are
// carried as QString, decoded as UTF-8 the way Qt's file functions decode
// them (QFile::decodeName) and encoded back the same way when used. Bytes
// that are not UTF-8 do not survive that trip: they decode as U+FFFD, which
// encodes back as other bytes, so a file so named would read as missing. So
// such names are refused where they enter, with their bytes shown, instead
// of being quietly turned into a name that does not exist.
namespace NativeText {

inline constexpr QStringView errorDomain = u"NativeText";

// The text of `bytes`, or nothing when it would not encode back to them.
std::optional<QString> decode(QByteArrayView bytes);

// The program's arguments (argv[0] included), each decoded; fails naming the
// first one that is not UTF-8, its bytes shown as \xNN.
Result<QStringList> arguments(int argc, const char* const* argv);

} // namespace NativeText
