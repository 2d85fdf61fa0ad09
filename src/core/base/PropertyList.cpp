#include "core/base/PropertyList.h"

#include <QDateTime>
#include <QXmlStreamReader>
#include <vector>

namespace {

// A dict or array being filled; `key` is the dict's key awaiting its value.
struct Container
{
    bool isDict = false;
    QVariantMap map;
    QVariantList list;
    QString key;

    QVariant take() { return isDict ? QVariant(std::move(map)) : QVariant(std::move(list)); }
    void add(QVariant value)
    {
        if (isDict)
            map.insert(key, std::move(value));
        else
            list.append(std::move(value));
    }
};

std::optional<QVariant> integerValue(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (ok)
        return QVariant(value);
    const quint64 large = text.toULongLong(&ok);
    if (ok)
        return QVariant(large);
    return std::nullopt;
}

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
        return parseValues();
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

    std::nullopt_t fail(const QString& reason)
    {
        if (m_error.isEmpty())
            m_error = m_reader.hasError() ? m_reader.errorString() : reason;
        return std::nullopt;
    }

    // The reader stands on the start tag of a value. Containers go on a
    // stack of their own instead of the call stack.
    std::optional<QVariant> parseValues()
    {
        std::vector<Container> open;
        for (;;) {
            const QStringView tag = m_reader.name();
            if (tag == u"dict" || tag == u"array") {
                if (open.size() >= std::size_t(PropertyList::maxDepth))
                    return fail(
                        QStringLiteral("nested deeper than %1 levels").arg(PropertyList::maxDepth));
                open.push_back(Container{tag == u"dict", {}, {}, {}});
            } else {
                auto value = parseScalar(tag.toString());
                if (!value)
                    return std::nullopt;
                if (open.empty())
                    return value;
                open.back().add(std::move(*value));
            }
            // Close every container that ends here, then stop on the next value.
            for (;;) {
                const auto next = nextValueIn(open.back());
                if (!next)
                    return std::nullopt;
                if (*next)
                    break;
                QVariant done = open.back().take();
                open.pop_back();
                if (open.empty())
                    return done;
                open.back().add(std::move(done));
            }
        }
    }

    // Moves to the next value inside `container`: true when on one, false
    // when the container has ended, nothing when the text is malformed.
    std::optional<bool> nextValueIn(Container& container)
    {
        if (!nextStartElement())
            return m_reader.hasError() ? fail({}) : std::optional<bool>(false);
        if (!container.isDict)
            return true;
        if (m_reader.name() != u"key")
            return fail(QStringLiteral("expected <key> in <dict>"));
        container.key = m_reader.readElementText();
        if (!nextStartElement())
            return fail(QStringLiteral("key “%1” has no value").arg(container.key));
        return true;
    }

    std::optional<QVariant> parseScalar(const QString& tag)
    {
        if (tag == u"true" || tag == u"false") {
            m_reader.skipCurrentElement();
            return m_reader.hasError() ? fail({}) : std::optional<QVariant>(tag == u"true");
        }
        const QString text = m_reader.readElementText();
        if (m_reader.hasError())
            return fail({});
        if (tag == u"string")
            return QVariant(text);
        if (tag == u"integer") {
            const auto value = integerValue(text.trimmed());
            return value ? value : fail(QStringLiteral("bad integer: %1").arg(text));
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
