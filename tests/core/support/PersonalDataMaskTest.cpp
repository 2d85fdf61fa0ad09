#include "core/support/PersonalDataMask.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString masked(const QString& text, const QStringList& homes = {})
{
    return PersonalDataMask::apply(text, homes);
}

} // namespace

TEST(PersonalDataMask, HomeFolderNamesGoAndTheRestOfThePathStays)
{
    EXPECT_EQ(masked(u"open /Users/alice/Library/x.log failed\n"_s),
              u"open /Users/<redacted>/Library/x.log failed\n"_s);
    EXPECT_EQ(masked(u"cwd /home/bob/work\nnext"_s), u"cwd /home/<redacted>/work\nnext"_s);
    // A name that ends the line runs to the line's end and never past it.
    EXPECT_EQ(masked(u"home is /Users/alice smith\nline two /home/bob"_s),
              u"home is /Users/<redacted>\nline two /home/<redacted>"_s);
    EXPECT_EQ(masked(u"/Users/\n/home//x /users/carol"_s), u"/Users/\n/home//x /users/carol"_s)
        << "no name, or another case, is left alone";
}

TEST(PersonalDataMask, TheUsersOwnHomeIsMaskedWhereverItLies)
{
    const QStringList homes{u"/srv/people/al"_s};
    EXPECT_EQ(masked(u"read /srv/people/al/.zentrope: ok"_s, homes),
              u"read /srv/people/<redacted>/.zentrope: ok"_s);
    EXPECT_EQ(masked(u"in /srv/people/al, then /srv/people/alice and /srv/people/al.bak"_s, homes),
              u"in /srv/people/<redacted>, then /srv/people/alice and /srv/people/al.bak"_s);
    EXPECT_EQ(masked(u"/ stays"_s, {u"/"_s}), u"/ stays"_s);
}

TEST(PersonalDataMask, EMailAddressesGoButOtherAtSignsStay)
{
    EXPECT_EQ(masked(u"from jo.doe+tag@mail.example.com, cc A_B%x@sub-d.io."_s),
              u"from <redacted-email>, cc <redacted-email>."_s);
    const QString left = u"user@localhost npm@9.1.2 a@b.c x@y.1a @home"_s;
    EXPECT_EQ(masked(left), left);
}
