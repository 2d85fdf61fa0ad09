// The words of the sideloader's results, as the add-in tab and zentropectl
// sideload show them.
#include "core/office/SideloadMessages.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Sideloader::Outcome;

TEST(SideloadMessages, AnAllHostsActionNamesTheHostsDoneAndTellsEachFailureApart)
{
    const Error denied{u"POSIX"_s, 13, u"Permission denied"_s};
    const QList<Sideloader::HostOutcome> outcomes{
        {OfficeHost::word, Outcome::failed(denied)},
        {OfficeHost::excel, Outcome::copied(u"/e/zentrope.manifest.xml"_s)},
        {OfficeHost::powerpoint, Outcome::failed(denied)},
    };
    EXPECT_EQ(SideloadMessages::installAllSummary(outcomes), u"Installed into: Microsoft Excel"_s);
    EXPECT_EQ(SideloadMessages::failureLines(outcomes, SideloadMessages::installAction),
              (QStringList{u"Failed to install into Microsoft Word: Permission denied"_s,
                           u"Failed to install into Microsoft PowerPoint: Permission denied"_s}));

    const QList<Sideloader::HostOutcome> nothing{
        {OfficeHost::word, Outcome::skipped(u"not sideloaded"_s)}};
    EXPECT_EQ(SideloadMessages::removeAllSummary(nothing), u"Nothing to remove."_s);
    EXPECT_EQ(SideloadMessages::failureLines(nothing, SideloadMessages::removeAction),
              QStringList());
}
