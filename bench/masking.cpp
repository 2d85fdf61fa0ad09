// What masking costs as hostile text grows: 'a'×n + "@" + 'a'×n + an address, the
// beginnings of every form the rules look for (escaped and encoded paths, keys,
// tokens) never completed, and a log tail of ordinary lines, at n and 2n. The scans must take about
// twice as long for twice the text; the e-mail rule as a backtracking expression, run here without
// the JIT for comparison, takes about four times as long.
#include "core/support/PersonalDataMask.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Before any expression is compiled: the engine as it is where PCRE2 has no JIT.
const bool jitOff = qputenv("QT_ENABLE_REGEXP_JIT", "0");

double medianMs(int rounds, const std::function<void()>& work)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

QString hostile(qsizetype n)
{
    // The address at the end keeps an expression from giving up before it starts.
    return QString(n, u'a') + u'@' + QString(n, u'a') + QStringLiteral(" to jo@example.org.");
}

QString unfinishedForms(qsizetype n)
{
    const QString unit = QStringLiteral("%2Fhome%2\\/Users\\eyJa.b password: authorization="
                                        "bearer  ~ sk-x /home/alic");
    QString text;
    while (text.size() < n)
        text += unit;
    return text;
}

QString ordinary(qsizetype bytes)
{
    const QString line = QStringLiteral("2026-12-05T09:52:04Z info session 42 opened /Users/alice/"
                                        "Documents/Quarterly.xlsx for alice@example.com\n");
    QString text;
    while (text.size() < bytes)
        text += line;
    return text;
}

void row(const char* name, qsizetype n, int rounds, const std::function<QString(qsizetype)>& make,
         const std::function<void(const QString&)>& work)
{
    const QString small = make(n);
    const QString large = make(2 * n);
    const double once = medianMs(rounds, [&] { work(small); });
    const double twice = medianMs(rounds, [&] { work(large); });
    std::printf("%-34s n=%8lld  %9.3f ms   2n: %9.3f ms   ratio %.2f\n", name,
                static_cast<long long>(n), once, twice, twice / once);
}

} // namespace

int main()
{
    std::printf("PCRE2 JIT %s\n", jitOff ? "off" : "on");
    const QStringList homes{QStringLiteral("/home/alice")};
    const auto mask = [&](const QString& text) { (void)PersonalDataMask::apply(text, homes); };
    row("mask, a×n @ a×n", 524'288, 15, hostile, mask);
    row("mask, unfinished forms of n chars", 524'288, 15, unfinishedForms, mask);
    row("mask, ordinary log of n chars", 524'288, 15, ordinary, mask);
    const QRegularExpression email(
        QStringLiteral(R"([A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,})"));
    row("expression, a×n @ a×n", 2'000, 3, hostile,
        [&](const QString& text) { (void)QString(text).replace(email, QStringLiteral("x")); });
    return 0;
}
