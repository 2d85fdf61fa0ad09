// The crash-report tests: the input's first line is a file name, the rest a
// report's head (as much as the finder reads). A name marks the product when
// it starts with "zentrope" in any case; a head only when it mentions the
// product, and always when it is valid UTF-8 that does.
#include "FuzzSupport.h"
#include "core/support/CrashReports.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto pieces = fuzzPieces(fuzzBytes(data, size), '\n', 2);
    const QString name = QString::fromUtf8(pieces[0]);
    require(CrashReports::nameMarksProduct(name) ==
                name.first(std::min<qsizetype>(8, name.size()))
                    .startsWith(u"zentrope", Qt::CaseInsensitive),
            "a name marks the product by its start");

    const QByteArray head = pieces[1].first(std::min(pieces[1].size(), CrashReports::headLength));
    const bool marked = CrashReports::headMarksProduct(head);
    const bool mentions = head.toLower().contains("zentrope");
    if (marked)
        require(mentions, "a marked head mentions the product");
    if (mentions && QUtf8StringView(head).isValidUtf8())
        require(marked, "a valid head that mentions the product is marked");
    return 0;
}
