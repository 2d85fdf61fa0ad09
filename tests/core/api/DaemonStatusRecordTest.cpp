#include "core/api/DaemonStatusRecord.h"

#include "support/Printers.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

const QByteArray complete =
    R"({"ok":true,"version":"1.2.3","activeSessions":2,"permissions":{"prismAutomation":)"
    R"("granted","systemEventsAutomation":"denied","accessibility":"unknown"}})";

// The complete status with one piece of its text replaced. Renaming a key
// removes it and adds an unknown one.
QByteArray with(const char* from, const char* to)
{
    return QByteArray(complete).replace(from, to);
}

} // namespace

TEST(DaemonStatusRecord, DecodesEveryFieldAndIgnoresUnknownKeys)
{
    const auto decoded = DaemonStatusRecord::decode(with("\"ok\"", R"("extra":[1,{}],"ok")"));
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
    for (const QByteArray& body :
         {with(R"(,"accessibility":"unknown")", ""),
          with(R"("accessibility":"unknown")", R"("accessibility":null)")}) {
        const auto decoded = DaemonStatusRecord::decode(body);
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
    for (const char* count : {"9007199254740993", "9223372036854775807", "-9223372036854775808"}) {
        const auto decoded =
            DaemonStatusRecord::decode(with(":2,", (':' + QByteArray(count) + ',').constData()));
        ASSERT_TRUE(decoded.ok()) << decoded.error().description.toStdString();
        EXPECT_EQ(decoded.value().activeSessions, QByteArray(count).toLongLong());
        // What `zentropectl status --json` prints decodes to the same record.
        const QByteArray printed = QJsonDocument(decoded.value().toJson()).toJson();
        EXPECT_EQ(DaemonStatusRecord::decode(printed).value(), decoded.value());
    }
}

TEST(DaemonStatusRecord, RejectsWhatIsNotAStatusAndNamesTheFault)
{
    const QList<std::pair<QByteArray, QString>> cases{
        {"", QStringLiteral("not valid JSON")},
        {"<html>Internal error</html>", QStringLiteral("not valid JSON")},
        {"[]", QStringLiteral("not a JSON object")},
        {with("\"permissions\"", "\"permission\""), QStringLiteral("lacks the key “permissions”")},
        {with("\"permissions\":{", "\"permissions\":null,\"x\":{"),
         QStringLiteral("“permissions” as null")},
        {with("\"ok\":true", "\"ok\":1"), QStringLiteral("“ok” as 1 where a boolean")},
        {with("\"ok\":true", "\"ok\":\"true\""), QStringLiteral("“ok” as a string")},
        {with("\"1.2.3\"", "null"), QStringLiteral("“version” as null")},
        {with(":2,", ":\"2\","), QStringLiteral("“activeSessions” as a string")},
        {with(":2,", ":1.5,"), QStringLiteral("“activeSessions” as 1.5")},
        {with(":2,", ":9223372036854775808,"), QStringLiteral("“activeSessions” as 9.22")},
        {with("prismAutomation", "prism"), QStringLiteral("“permissions.prismAutomation”")},
        {with("\"denied\"", "false"),
         QStringLiteral("“permissions.systemEventsAutomation” as a boolean")},
        {with("\"unknown\"", "7"), QStringLiteral("“permissions.accessibility” as 7")},
    };
    for (const auto& [body, fault] : cases) {
        const auto decoded = DaemonStatusRecord::decode(body);
        ASSERT_FALSE(decoded.ok()) << body.toStdString();
        EXPECT_EQ(decoded.error().kind, DaemonApiError::Kind::cannotDecodeResponse);
        EXPECT_TRUE(decoded.error().description.contains(fault))
            << decoded.error().description.toStdString() << " lacks " << fault.toStdString();
    }
}
