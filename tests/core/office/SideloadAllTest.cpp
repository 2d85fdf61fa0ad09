#include "core/office/SideloadAll.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Sideloader::Outcome;

namespace {

const OfficeHost word = OfficeHost::word;
const OfficeHost excel = OfficeHost::excel;
const Outcome denied =
    Outcome::failed({u"POSIX"_s, 13, u"Couldn’t remove “x”: Permission denied"_s});

} // namespace

// The summary names what was done, never "nothing to do" when something
// failed; each failure has its own line with its reason.
TEST(SideloadAll, ReportsSayWhatWasDoneAndWhatFailed)
{
    const struct
    {
        QList<Sideloader::HostOutcome> outcomes;
        std::optional<QString> install;
        std::optional<QString> remove;
        int failures;
    } cases[] = {
        {{}, u"No Office hosts installed."_s, u"Nothing to remove."_s, 0},
        {{{word, Outcome::skipped(u"not sideloaded"_s)}},
         u"No Office hosts installed."_s,
         u"Nothing to remove."_s,
         0},
        {{{word, denied}, {excel, denied}}, std::nullopt, std::nullopt, 2},
        {{{word, Outcome::copied(u"/w"_s)}, {excel, denied}},
         u"Installed into: Microsoft Word"_s,
         std::nullopt,
         1},
        {{{word, Outcome::removed(u"/w"_s)}, {excel, Outcome::removed(u"/e"_s)}},
         u"No Office hosts installed."_s,
         u"Removed from: Microsoft Word, Microsoft Excel"_s,
         0},
    };
    for (const auto& each : cases) {
        const SideloadAll::Report install = SideloadAll::installReport(each.outcomes);
        const SideloadAll::Report remove = SideloadAll::removeReport(each.outcomes);
        EXPECT_EQ(install.message, each.install);
        EXPECT_EQ(remove.message, each.remove);
        EXPECT_EQ(install.errors.size(), each.failures);
        EXPECT_EQ(remove.errors.size(), each.failures);
    }
    EXPECT_EQ(SideloadAll::installReport({{word, denied}, {excel, denied}}).errors.value(1),
              u"Failed to install into Microsoft Excel: Couldn’t remove “x”: Permission denied"_s);
    EXPECT_EQ(SideloadAll::removeReport({{excel, denied}}).errors,
              QStringList{u"Failed to remove from Microsoft Excel: Couldn’t remove “x”: "
                          u"Permission denied"_s});
}
