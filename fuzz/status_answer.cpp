// The daemon's status answer: whatever decodes must survive encoding and
// decoding again unchanged, and encode the same way twice.
#include "FuzzSupport.h"
#include "core/api/DaemonStatusRecord.h"

#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto first = DaemonStatusRecord::decode(fuzzBytes(data, size));
    if (!first) {
        require(first.error().kind == DaemonApiError::Kind::cannotDecodeResponse &&
                    !first.error().description.isEmpty(),
                "a refused answer says why");
        return 0;
    }
    const QByteArray encoded = QJsonDocument(first.value().toJson()).toJson();
    const auto second = DaemonStatusRecord::decode(encoded);
    require(second.ok(), "an encoded status decodes");
    require(second.value() == first.value(), "decode → encode → decode is stable");
    require(QJsonDocument(second.value().toJson()).toJson() == encoded, "encoding is stable");
    return 0;
}
