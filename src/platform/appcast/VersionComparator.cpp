#include "platform/appcast/VersionComparator.h"

#include <QList>
#include <algorithm>

// Every version is first brought into a form of its own — its leading dotted
// numbers, then the rest as runs — and the forms are compared.
// Balancing the two versions against each other instead, as some comparators
// do, makes the order depend on the pair: "" = "." < "0a" < "" would hold.
namespace {

// What can follow at a place in the rest, oldest first: letters mark a
// pre-release of what went before, the end is the release itself, and a
// separator or a number carries it further.
enum class Kind
{
    text,
    end,
    separator, // ".", white space or punctuation: all alike
    number
};

struct Run
{
    Kind kind;
    QStringView text;
};

struct Form
{
    QList<QStringView> numbers; // the leading dotted numbers; missing ones count as zero
    QList<Run> rest;
};

Kind kindOf(QChar c)
{
    if (c.isDigit())
        return Kind::number;
    if (c == u'.' || c.isSpace() || c.isPunct())
        return Kind::separator;
    return Kind::text;
}

QList<Run> runs(QStringView version)
{
    version = version.trimmed();
    if (const qsizetype dash = version.indexOf(u'-'); dash >= 0)
        version = version.first(dash).trimmed(); // build metadata such as a commit
    QList<Run> runs;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= version.size(); ++i) {
        const Kind kind = kindOf(version[start]);
        if (i == version.size() || kind == Kind::separator || kindOf(version[i]) != kind) {
            runs.append({kind, version.sliced(start, i - start)});
            start = i;
        }
    }
    return runs;
}

bool isPeriod(const Run& run)
{
    return run.kind == Kind::separator && run.text == u".";
}

Form formOf(QStringView version)
{
    Form form;
    form.rest = runs(version);
    auto run = form.rest.cbegin();
    bool leading = false;
    QStringView field; // empty between two periods: a zero
    for (; run != form.rest.cend() && (run->kind == Kind::number || isPeriod(*run)); ++run) {
        leading = true;
        if (run->kind == Kind::number) {
            field = run->text;
        } else {
            form.numbers.append(field);
            field = {};
        }
    }
    if (leading)
        form.numbers.append(field);
    form.rest.erase(form.rest.cbegin(), run);
    return form;
}

int sign(qsizetype value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// Digit runs of any length and any script, without overflowing.
int compareNumbers(QStringView a, QStringView b)
{
    const auto significant = [](QStringView digits) {
        while (!digits.isEmpty() && digits.front().digitValue() == 0)
            digits = digits.sliced(1);
        return digits;
    };
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size())
        return sign(a.size() - b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (const int order = sign(a[i].digitValue() - b[i].digitValue()))
            return order;
    }
    return 0;
}

int compareRuns(const Run& a, const Run& b)
{
    if (a.kind != b.kind)
        return a.kind < b.kind ? -1 : 1;
    if (a.kind == Kind::number)
        return compareNumbers(a.text, b.text);
    return a.kind == Kind::text ? sign(a.text.compare(b.text)) : 0;
}

} // namespace

namespace VersionComparator {

int compare(QStringView a, QStringView b)
{
    const Form formA = formOf(a);
    const Form formB = formOf(b);
    const qsizetype numbers = std::max(formA.numbers.size(), formB.numbers.size());
    for (qsizetype i = 0; i < numbers; ++i) {
        const QStringView zero = u"0";
        if (const int order =
                compareNumbers(formA.numbers.value(i, zero), formB.numbers.value(i, zero)))
            return order;
    }
    const Run end{Kind::end, {}};
    const qsizetype runs = std::max(formA.rest.size(), formB.rest.size());
    for (qsizetype i = 0; i < runs; ++i) {
        if (const int order = compareRuns(formA.rest.value(i, end), formB.rest.value(i, end)))
            return order;
    }
    return 0;
}

} // namespace VersionComparator
