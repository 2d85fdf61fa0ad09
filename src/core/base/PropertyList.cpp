#include "core/base/PropertyList.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace {

class Parser
{
public:
    explicit Parser(const QByteArray& xml)
        : m_reader(xml)
    {}

    std::optional<QVariant> parseRoot()
    {
        if (!nextStartElement() || m_reader.name() != u"plist")
            return fail(QStringLiteral("missing <plist> root element"));
        if (!nextStartElement())
            return fail(QStringLiteral("empty <plist>"));
        return parseValue();
    }

    QString error() const { return m_error; }

private:
    bool nextStartElement()
    {
        while (!m_reader.atEnd()) {
            m_reader.readNext();
            if (m_reader.isStartElement())
                return true;
            if (m_reader.isEndElement())
                return false;
        }
        return false;
    }

    std::optional<QVariant> fail(const QString& reason)
    {
        if (m_error.isEmpty())
            m_error = m_reader.hasError() ? m_reader.errorString() : reason;
        return std::nullopt;
    }

    std::optional<QVariant> parseValue()
    {
        const QStringView tag = m_reader.name();
        if (tag == u"dict")
            return parseDict();
        if (tag == u"array")
            return parseArray();
        if (tag == u"true" || tag == u"false") {
            const bool value = tag == u"true";
            m_reader.skipCurrentElement();
            return QVariant(value);
        }
        return parseScalar(tag.toString());
    }

    std::optional<QVariant> parseScalar(const QString& tag)
    {
        const QString text = m_reader.readElementText();
        if (m_reader.hasError())
            return fail({});
        if (tag == u"string")
            return QVariant(text);
        if (tag == u"integer") {
            bool ok = false;
            const qint64 value = text.trimmed().toLongLong(&ok);
            return ok ? std::optional<QVariant>(value)
                      : fail(QStringLiteral("bad integer: %1").arg(text));
        }
        if (tag == u"real") {
            bool ok = false;
            const double value = text.trimmed().toDouble(&ok);
            return ok ? std::optional<QVariant>(value)
                      : fail(QStringLiteral("bad real: %1").arg(text));
        }
        if (tag == u"date")
            return QVariant(QDateTime::fromString(text.trimmed(), Qt::ISODate));
        if (tag == u"data")
            return QVariant(QByteArray::fromBase64(text.toLatin1()));
        return fail(QStringLiteral("unknown element <%1>").arg(tag));
    }

    std::optional<QVariant> parseDict()
    {
        QVariantMap map;
        while (nextStartElement()) {
            if (m_reader.name() != u"key")
                return fail(QStringLiteral("expected <key> in <dict>"));
            const QString key = m_reader.readElementText();
            if (!nextStartElement())
                return fail(QStringLiteral("key “%1” has no value").arg(key));
            auto value = parseValue();
            if (!value)
                return std::nullopt;
            map.insert(key, *value);
        }
        return m_reader.hasError() ? fail({}) : std::optional<QVariant>(map);
    }

    std::optional<QVariant> parseArray()
    {
        QVariantList list;
        while (nextStartElement()) {
            auto value = parseValue();
            if (!value)
                return std::nullopt;
            list.append(*value);
        }
        return m_reader.hasError() ? fail({}) : std::optional<QVariant>(list);
    }

    QXmlStreamReader m_reader;
    QString m_error;
};

} // namespace

namespace PropertyList {

std::optional<QVariantMap> parseDictionary(const QByteArray& xml, QString* error)
{
    Parser parser(xml);
    const auto root = parser.parseRoot();
    if (root && root->typeId() == QMetaType::QVariantMap)
        return root->toMap();
    if (error)
        *error = root ? QStringLiteral("root is not a <dict>") : parser.error();
    return std::nullopt;
}

} // namespace PropertyList
