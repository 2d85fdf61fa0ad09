// The autostart entry: any file reads without a crash, and an Exec argument
// we write reads back exactly as the desktop's reader unescapes it, also
// after a trip through the entry's own reader.
#include "FuzzSupport.h"
#include "platform/linux/DesktopEntry.h"

using platform::DesktopEntry;

namespace {

// The desktop's side, per the entry format: the string escapes first, then
// the quoting of one Exec argument, with "%%" for a literal "%".
QString readExecArgument(const QString& value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            unescaped += next == u's'   ? QChar(u' ')
                         : next == u'n' ? QChar(u'\n')
                         : next == u't' ? QChar(u'\t')
                         : next == u'r' ? QChar(u'\r')
                                        : next;
        } else {
            unescaped += value[i];
        }
    }
    require(unescaped.size() >= 2 && unescaped.startsWith(u'"') && unescaped.endsWith(u'"'),
            "the argument is quoted");
    QString argument;
    for (qsizetype i = 1; i + 1 < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (c == u'\\') {
            const QChar next = unescaped[++i];
            require(next == u'"' || next == u'`' || next == u'$' || next == u'\\',
                    "only the four quoted characters are escaped");
            argument += next;
        } else if (c == u'%') {
            require(unescaped[++i] == u'%', "a percent sign is doubled");
            argument += c;
        } else {
            require(c != u'"' && c != u'`' && c != u'$', "quoted characters are escaped");
            argument += c;
        }
    }
    return argument;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const auto keys = DesktopEntry::mainGroup(bytes);
    for (auto key = keys.begin(); key != keys.end(); ++key)
        require(!key.key().isEmpty() && !key.key().contains(u'\n'), "keys are one-line names");

    QString argument = QString::fromUtf8(bytes);
    argument.remove(u'\n');
    argument.remove(u'\r');
    const QString written = DesktopEntry::execArgument(argument);
    require(readExecArgument(written) == argument, "an Exec argument reads back");
    const auto entry = DesktopEntry::mainGroup("[Desktop Entry]\nExec=" + written.toUtf8() + '\n');
    require(entry.value(QStringLiteral("Exec")) == written, "the entry keeps the argument");
    return 0;
}
