#include "core/DaemonStatusRecord.h"

#include "support/Printers.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

using Fields = QList<std::pair<QByteArray, QByteArray>>;

QByteArray object(const Fields& fields)
{
    QByteArrayList entries;
    for (const auto& [key, value] : fields) {
        if (!value.isEmpty())
            entries.append('"' + key + "\":" + value);
    }
    return '{' + entries.join(',') + '}';
}

// A complete status body with the raw JSON `value` at `key` ("ok", or
// "permissions.accessibility" for a nested one); an empty value leaves the
// key out, an unknown key is added.
QByteArray statusWith(const QByteArray& key, const QByteArray& value)
{
    Fields top{{"ok", "true"}, {"version", "\"1.2.3\""}, {"activeSessions", "2"}};
    Fields permissions{{"prismAutomation", "\"granted\""},
                       {"systemEventsAutomation", "\"denied\""},
                       {"accessibility", "\"unknown\""}};
    bool replaced = false;
    for (Fields* fields : {&top, &permissions}) {
        for (auto& [name, current] : *fields) {
            if (key == (fields == &top ? name : "permissions." + name)) {
                current = value;
                replaced = true;
            }
        }
    }
    top.append({"permissions", key == "permissions" ? value : object(permissions)});
    if (!replaced && key != "permissions")
        top.append({key, value});
    return object(top);
}

} // namespace

TEST(DaemonStatusRecord, DecodesEveryFieldAndIgnoresUnknownKeys)
{
    const auto decoded = DaemonStatusRecord::decode(statusWith("extra", "[1, {}]"));
    ASSERT_TRUE(decoded.ok()) << decoded.error().description.toStdString();
    const DaemonStatusRecord expected{
        true,
        QStringLiteral("1.2.3"),
        2,
        {QStringLiteral("granted"), QStringLiteral("denied"), QStringLiteral("unknown")}};
    EXPECT_EQ(decoded.value(), expected);
}

TEST(DaemonStatusRecord, AccessibilityAbsentOrNullIsNone)
{
    for (const QByteArray& value : {QByteArray(), QByteArray("null")}) {
        const auto decoded =
            DaemonStatusRecord::decode(statusWith("permissions.accessibility", value));
        ASSERT_TRUE(decoded.ok()) << decoded.error().description.toStdString();
        EXPECT_EQ(decoded.value().permissions.accessibility, std::nullopt);
        const QJsonObject printed = decoded.value().toJson();
        EXPECT_FALSE(printed.value(QStringLiteral("permissions"))
                         .toObject()
                         .contains(QStringLiteral("accessibility")));
    }
}

TEST(DaemonStatusRecord, SessionCountsAreExactAcrossTheWhole64BitRange)
{
    for (const qint64 count : {qint64(9007199254740993), std::numeric_limits<qint64>::max(),
                               std::numeric_limits<qint64>::min()}) {
        const auto decoded =
            DaemonStatusRecord::decode(statusWith("activeSessions", QByteArray::number(count)));
        ASSERT_TRUE(decoded.ok()) << decoded.error().description.toStdString();
        EXPECT_EQ(decoded.value().activeSessions, count);
        // What `zentropectl status --json` prints decodes to the same record.
        const QByteArray printed = QJsonDocument(decoded.value().toJson()).toJson();
        EXPECT_EQ(DaemonStatusRecord::decode(printed).value(), decoded.value())
            << printed.toStdString();
    }
}

TEST(DaemonStatusRecord, RejectsWhatIsNotAStatusAndNamesTheFault)
{
    const QList<std::pair<QByteArray, QString>> cases{
        {"", QStringLiteral("not valid JSON")},
        {"<html>Internal error</html>", QStringLiteral("not valid JSON")},
        {"[]", QStringLiteral("not a JSON object")},
        {statusWith("permissions", ""), QStringLiteral("lacks the key “permissions”")},
        {statusWith("permissions", "null"), QStringLiteral("“permissions” as null")},
        {statusWith("permissions", "[]"), QStringLiteral("“permissions” as an array")},
        {statusWith("ok", "1"), QStringLiteral("“ok” as 1 where a boolean")},
        {statusWith("ok", "\"true\""), QStringLiteral("“ok” as a string")},
        {statusWith("version", "null"), QStringLiteral("“version” as null")},
        {statusWith("version", "3"), QStringLiteral("“version” as 3")},
        {statusWith("activeSessions", "\"2\""), QStringLiteral("“activeSessions”")},
        {statusWith("activeSessions", "1.5"), QStringLiteral("“activeSessions” as 1.5")},
        {statusWith("activeSessions", "9223372036854775808"), QStringLiteral("“activeSessions”")},
        {statusWith("permissions.prismAutomation", ""),
         QStringLiteral("“permissions.prismAutomation”")},
        {statusWith("permissions.systemEventsAutomation", "false"),
         QStringLiteral("“permissions.systemEventsAutomation” as a boolean")},
        {statusWith("permissions.accessibility", "7"),
         QStringLiteral("“permissions.accessibility” as 7")},
    };
    for (const auto& [body, fault] : cases) {
        const auto decoded = DaemonStatusRecord::decode(body);
        ASSERT_FALSE(decoded.ok()) << body.toStdString();
        EXPECT_EQ(decoded.error().kind, DaemonApiError::Kind::cannotDecodeResponse);
        EXPECT_TRUE(decoded.error().description.contains(fault))
            << decoded.error().description.toStdString() << " lacks " << fault.toStdString();
    }
}
