#include "core/base/NativeText.h"

#include "core/base/ControlCharacters.h"

#include <QFile>

namespace NativeText {

std::optional<QString> decode(QByteArrayView bytes)
{
    const QByteArray owned = bytes.toByteArray();
    QString text = QFile::decodeName(owned);
    if (QFile::encodeName(text) != owned)
        return std::nullopt;
    return text;
}

Result<QStringList> arguments(int argc, const char* const* argv)
{
    QStringList decoded;
    for (int i = 0; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        const std::optional<QString> text = decode(bytes);
        if (!text) {
            return Error{errorDomain.toString(), 1,
                         QStringLiteral("The argument “%1” is not valid UTF-8; file names and "
                                        "other words are read as UTF-8.")
                             .arg(ControlCharacters::escapedBytes(bytes))};
        }
        decoded.append(*text);
    }
    return decoded;
}

} // namespace NativeText
