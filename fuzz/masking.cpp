// The personal-data mask, on text read as UTF-8 and as raw UTF-16 (lone
// surrogates included): no home-folder name and no e-mail address survive,
// and on valid text the result is exactly what the rules' regular
// expressions give.
#include "FuzzSupport.h"
#include "core/support/PersonalDataMask.h"

#include <QRegularExpression>
#include <cstring>

namespace {

const QString home = QStringLiteral("/srv/people/al");
const QString redacted = QStringLiteral("<redacted>");

const QRegularExpression ownHome(QRegularExpression::escape(home) +
                                     QStringLiteral(R"((?![\w.\-]))"),
                                 QRegularExpression::UseUnicodePropertiesOption);
const QRegularExpression users(QStringLiteral("/Users/[^/\n]+"));
const QRegularExpression homes(QStringLiteral("/home/[^/\n]+"));
const QRegularExpression
    address(QStringLiteral(R"([A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,})"));

// The rules as regular expressions: the reference the scans must equal.
QString maskedByExpressions(QString text)
{
    text.replace(ownHome, QStringLiteral("/srv/people/") + redacted);
    text.replace(users, QStringLiteral("/Users/") + redacted);
    text.replace(homes, QStringLiteral("/home/") + redacted);
    text.replace(address, QStringLiteral("<redacted-email>"));
    return text;
}

bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

// Every "<prefix>" is followed by nothing, "/", a newline or "<redacted>".
bool namesAreMasked(const QString& text, const QString& prefix)
{
    for (qsizetype at = text.indexOf(prefix); at >= 0; at = text.indexOf(prefix, at + 1)) {
        const qsizetype name = at + prefix.size();
        qsizetype end = name;
        while (end < text.size() && text[end] != u'/' && text[end] != u'\n')
            ++end;
        if (end != name && QStringView(text).sliced(name, end - name) != redacted)
            return false;
    }
    return true;
}

void check(const QString& text)
{
    const QString masked = PersonalDataMask::apply(text, {home});
    require(!hasLoneSurrogate(masked), "no invalid UTF-16 comes out");
    require(namesAreMasked(masked, QStringLiteral("/Users/")), "no /Users/<name> is left");
    require(namesAreMasked(masked, QStringLiteral("/home/")), "no /home/<name> is left");
    require(!address.match(masked).hasMatch(), "no e-mail address is left");
    require(!ownHome.match(masked).hasMatch(), "the user's own home is masked");
    if (!hasLoneSurrogate(text))
        require(masked == maskedByExpressions(text), "the scans find what the expressions find");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2); // the input need not be aligned
    check(units);
    return 0;
}
