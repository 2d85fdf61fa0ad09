// What showing a release's notes costs when a feed fills its whole 4 MiB with
// them: ordinary notes against shapes meant to make a sanitizer slow (runs of
// "<", "&", unclosed or deep tags, stray end tags). Goal: every shape within
// a small factor of ordinary notes, so no feed can stall the update dialog.
#include "platform/appcast/ReleaseNotes.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int rounds = 7;
constexpr qsizetype feedSize = 4 * 1024 * 1024;

QString filled(const QString& unit)
{
    return unit.repeated(feedSize / unit.size());
}

double medianMs(const QString& notes, QString (*show)(const QString&, bool), qsizetype& shown)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        shown = show(notes, false).size();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main()
{
    const std::pair<const char*, QString> shapes[] = {
        {"ordinary notes", filled(QStringLiteral("<li>Fixes a <b>crash</b> when syncing.</li>"))},
        {"runs of <", filled(QStringLiteral("<"))},
        {"runs of &", filled(QStringLiteral("&"))},
        {"unclosed <b>", filled(QStringLiteral("<b>"))},
        {"<b> then stray </i>", filled(QStringLiteral("<b>")).left(feedSize / 2) +
                                    filled(QStringLiteral("</i>")).left(feedSize / 2)},
        {"https links", filled(QStringLiteral("<a href='https://example.com/'>x</a>"))},
        {"unterminated comment", QStringLiteral("<!--") + filled(QStringLiteral("a"))},
    };
    for (const auto& [name, notes] : shapes) {
        qsizetype html = 0;
        qsizetype text = 0;
        const double htmlMs = medianMs(notes, &ReleaseNotes::safeHtml, html);
        const double textMs = medianMs(notes, &ReleaseNotes::text, text);
        std::printf("%-22s safeHtml median %8.1f ms (%9lld chars)   text median %8.1f ms\n", name,
                    htmlMs, static_cast<long long>(html), textMs);
        (void)text;
    }
}
