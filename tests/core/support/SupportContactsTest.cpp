#include "core/support/SupportContacts.h"

#include "support/Printers.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SupportContacts, TheDraftNamesTheArchiveIntactWhateverItsName)
{
    EXPECT_EQ(SupportContacts::emailUrl().toString(), u"mailto:support@zentrope.app"_s);
    const QUrl draft =
        SupportContacts::supportRequestDraft(u"zentrope-diagnostics-20261205T095204.zip"_s);
    EXPECT_EQ(draft.toString(QUrl::FullyEncoded),
              u"mailto:support@zentrope.app?subject=Zentrope%20support%20request&body="
              "Hi%20Zentrope%20support%2C%0A%0A%5Bdescribe%20the%20issue%20here%5D%0A%0A"
              "Diagnostics%20bundle%20attached%3A%20zentrope-diagnostics-20261205T095204.zip%0A"_s);

    // What would end a field or the query, or needs encoding, stays in the name.
    const QString name = u"my a&b=c+d#e%20? Größe — “draft” (2).zip"_s;
    const QUrlQuery query(SupportContacts::supportRequestDraft(name));
    EXPECT_EQ(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded),
              u"Zentrope support request"_s);
    EXPECT_EQ(query.queryItemValue(u"body"_s, QUrl::FullyDecoded),
              u"Hi Zentrope support,\n\n[describe the issue here]\n\n"
              "Diagnostics bundle attached: "_s +
                  name + u'\n');
    EXPECT_EQ(query.queryItems().size(), 2);
}
