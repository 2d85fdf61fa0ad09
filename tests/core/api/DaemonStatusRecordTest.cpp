#include "core/api/DaemonStatusRecord.h"

#include "support/Printers.h"

#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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

// That what `zentropectl status --json` prints of each decodes to it again
// is the rule of the fuzz target status_answer, whose seeds hold these cases.
TEST(DaemonStatusRecord, DecodesEveryFieldExactlyAndIgnoresUnknownKeys)
{
    const DaemonStatusRecord::Permissions permissions{u"granted"_s, u"denied"_s, u"unknown"_s};
    const DaemonStatusRecord::Permissions withoutAccessibility{u"granted"_s, u"denied"_s, {}};
    const std::pair<QByteArray, DaemonStatusRecord> cases[] = {
        {with("\"ok\"", R"("extra":[1,{}],"ok")"), {true, u"1.2.3"_s, 2, permissions}},
        {with(R"(,"accessibility":"unknown")", ""), {true, u"1.2.3"_s, 2, withoutAccessibility}},
        {with(R"("unknown")", "null"), {true, u"1.2.3"_s, 2, withoutAccessibility}},
        {with(":2,", ":9007199254740993,"), {true, u"1.2.3"_s, 9007199254740993, permissions}},
    };
    for (const auto& [body, expected] : cases) {
        const auto decoded = DaemonStatusRecord::decode(body);
        ASSERT_TRUE(decoded.ok()) << decoded.error().description.toStdString();
        EXPECT_EQ(decoded.value(), expected) << body.toStdString();
        const QJsonObject printed = decoded.value().toJson().value(u"permissions"_s).toObject();
        EXPECT_EQ(printed.contains(u"accessibility"_s),
                  expected.permissions.accessibility.has_value());
    }
}

// One case per kind of fault; more are seeds of the fuzz target status_answer.
TEST(DaemonStatusRecord, RejectsWhatIsNotAStatusAndNamesTheFault)
{
    const QList<std::pair<QByteArray, QString>> cases{
        {"", QStringLiteral("not valid JSON")},
        {"[]", QStringLiteral("not a JSON object")},
        {with("\"permissions\"", "\"permission\""), QStringLiteral("lacks the key “permissions”")},
        {with("\"ok\":true", "\"ok\":1"), QStringLiteral("“ok” as 1 where a boolean")},
        {with(":2,", ":1.5,"), QStringLiteral("“activeSessions” as 1.5")},
        {with(":2,", ":9223372036854775808,"), QStringLiteral("“activeSessions” as 9.22")},
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
