#include "core/updates/UpdateOffer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::AvailableUpdate;

TEST(UpdateOffer, DownloadOrPageSkipAndNotesPerRelease)
{
    AvailableUpdate update;
    update.download = QUrl(u"https://example.com/Zentrope-1.2.zip"_s);
    update.infoLink = QUrl(u"https://example.com/1.2"_s);
    EXPECT_EQ(UpdateOffer::action(update), UpdateOffer::Action::download);
    EXPECT_EQ(UpdateOffer::actionAddress(update), update.download);
    EXPECT_TRUE(UpdateOffer::canSkip(update));
    EXPECT_EQ(UpdateOffer::notes(update), UpdateOffer::Notes::none);

    update.critical = true;
    EXPECT_FALSE(UpdateOffer::canSkip(update));
    update.releaseNotesLink = QUrl(u"https://example.com/notes"_s);
    EXPECT_EQ(UpdateOffer::notes(update), UpdateOffer::Notes::link);
    update.releaseNotesHtml = u" \n"_s;
    EXPECT_EQ(UpdateOffer::notes(update), UpdateOffer::Notes::link) << "blank notes show nothing";
    update.releaseNotesHtml = u"<p>Faster.</p>"_s;
    EXPECT_EQ(UpdateOffer::notes(update), UpdateOffer::Notes::text);

    update.informational = true;
    update.download.clear();
    EXPECT_EQ(UpdateOffer::action(update), UpdateOffer::Action::learnMore);
    EXPECT_EQ(UpdateOffer::actionAddress(update), update.infoLink);
    update.infoLink.clear();
    EXPECT_EQ(UpdateOffer::actionAddress(update), std::nullopt);
}
