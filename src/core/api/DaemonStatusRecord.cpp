#include "core/api/DaemonStatusRecord.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QVariant>

namespace {

DaemonApiError decodingError(const QString& description, int code = 0)
{
    return {DaemonApiError::Kind::cannotDecodeResponse, description, code, {}};
}

QString typeName(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

// Reads the fields of one JSON object, remembering the first failure so that
// a record is either decoded whole or not at all.
class FieldReader
{
public:
    FieldReader(QJsonObject object, QString path, std::optional<DaemonApiError>& failure)
        : m_object(std::move(object))
        , m_path(std::move(path))
        , m_failure(failure)
    {}

    bool boolean(const QString& key)
    {
        const QJsonValue value = required(key);
        if (value.isBool())
            return value.toBool();
        fail(key, value, QStringLiteral("a boolean"));
        return false;
    }

    QString string(const QString& key)
    {
        const QJsonValue value = required(key);
        if (value.isString())
            return value.toString();
        fail(key, value, QStringLiteral("a string"));
        return {};
    }

    std::optional<QString> optionalString(const QString& key)
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined() || value.isNull())
            return std::nullopt;
        if (value.isString())
            return value.toString();
        fail(key, value, QStringLiteral("a string"));
        return std::nullopt;
    }

    // A whole number that fits in 64 bits. Qt keeps such numbers as integers,
    // exactly, also above 2^53; fractions and larger numbers stay doubles.
    qint64 integer(const QString& key)
    {
        const QJsonValue value = required(key);
        const bool whole = value.isDouble() && value.toVariant().typeId() == QMetaType::LongLong;
        if (whole)
            return value.toInteger();
        fail(key, value, QStringLiteral("a whole number within 64 bits"));
        return 0;
    }

    QJsonObject object(const QString& key)
    {
        const QJsonValue value = required(key);
        if (value.isObject())
            return value.toObject();
        fail(key, value, QStringLiteral("an object"));
        return {};
    }

    QString pathOf(const QString& key) const
    {
        return m_path.isEmpty() ? key : m_path + u'.' + key;
    }

private:
    QJsonValue required(const QString& key)
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined() && !m_failure)
            m_failure = decodingError(
                QStringLiteral("The daemon’s status lacks the key “%1”.").arg(pathOf(key)));
        return value;
    }

    void fail(const QString& key, const QJsonValue& value, const QString& expected)
    {
        if (m_failure)
            return;
        const QString found =
            value.isDouble() ? QString::number(value.toDouble(), 'g', 17) : typeName(value);
        m_failure = decodingError(QStringLiteral("The daemon’s status has “%1” as %2 where %3 "
                                                 "was expected.")
                                      .arg(pathOf(key), found, expected));
    }

    QJsonObject m_object;
    QString m_path;
    std::optional<DaemonApiError>& m_failure;
};

} // namespace

Result<DaemonStatusRecord, DaemonApiError> DaemonStatusRecord::decode(const QByteArray& body)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return decodingError(QStringLiteral("The daemon’s status is not valid JSON: %1 at "
                                            "offset %2.")
                                 .arg(parseError.errorString())
                                 .arg(parseError.offset),
                             parseError.error);
    if (!document.isObject())
        return decodingError(QStringLiteral("The daemon’s status is not a JSON object."));

    std::optional<DaemonApiError> failure;
    FieldReader top(document.object(), {}, failure);
    DaemonStatusRecord record;
    record.ok = top.boolean(QStringLiteral("ok"));
    record.version = top.string(QStringLiteral("version"));
    record.activeSessions = top.integer(QStringLiteral("activeSessions"));
    const QString permissionsKey = QStringLiteral("permissions");
    FieldReader permissions(top.object(permissionsKey), top.pathOf(permissionsKey), failure);
    record.permissions.prismAutomation = permissions.string(QStringLiteral("prismAutomation"));
    record.permissions.systemEventsAutomation =
        permissions.string(QStringLiteral("systemEventsAutomation"));
    record.permissions.accessibility = permissions.optionalString(QStringLiteral("accessibility"));
    if (failure)
        return *failure;
    return record;
}

QJsonObject DaemonStatusRecord::toJson() const
{
    QJsonObject permissionsObject{
        {QStringLiteral("prismAutomation"), permissions.prismAutomation},
        {QStringLiteral("systemEventsAutomation"), permissions.systemEventsAutomation},
    };
    if (permissions.accessibility)
        permissionsObject.insert(QStringLiteral("accessibility"), *permissions.accessibility);
    return {
        {QStringLiteral("ok"), ok},
        {QStringLiteral("version"), version},
        {QStringLiteral("activeSessions"), activeSessions},
        {QStringLiteral("permissions"), permissionsObject},
    };
}
