#include "platform/appcast/ReleaseNotes.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Case
{
    QString notes;
    QString html;
    QString text;
};

// What a hostile feed could put into a release's description, and what is left.
const Case cases[] = {
    {u"<p>Fixes <b>two</b> crashes.</p><ul><li>One</li><li>Two</li></ul>"_s,
     u"<p>Fixes <b>two</b> crashes.</p><ul><li>One</li><li>Two</li></ul>"_s,
     u"Fixes two crashes.\nOne\nTwo"_s},
    {u"Hi<script>alert(1)</script><SCRIPT src=//evil.example/x.js></SCRIPT> there"_s, u"Hi there"_s,
     u"Hi there"_s},
    {u"<style>body{background:url(https://evil.example/t)}</style><p style=\"color:red\">red</p>"_s,
     u"<p>red</p>"_s, u"red"_s},
    {u"<img src=\"https://evil.example/track.png\" onerror=\"alert(1)\">Seen<img src=x>"_s,
     u"Seen"_s, u"Seen"_s},
    {u"<a href=\"https://example.com/notes?a=1&amp;b=2\" onclick=\"x()\">notes</a>"_s,
     u"<a href=\"https://example.com/notes?a=1&amp;b=2\">notes</a>"_s, u"notes"_s},
    {u"<a href=\"javascript:alert(1)\">js</a> <a href=\"file:///etc/passwd\">file</a> "
     u"<a href=\"http://example.com\">plain</a> <a href=' JaVaScRiPt:alert(1)'>mixed</a>"_s,
     u"js file plain mixed"_s, u"js file plain mixed"_s},
    {u"<a href=\"https://example.com/&quot;&gt;&lt;script&gt;\">q</a>"_s,
     u"<a href=\"https://example.com/%22%3E%3Cscript%3E\">q</a>"_s, u"q"_s},
    {u"1 &lt; 2 &amp;&amp; 3 &gt; 2 &#x3C;b&#62; &unknown; &#0; &#x110000;"_s,
     u"1 &lt; 2 &amp;&amp; 3 &gt; 2 &lt;b&gt; &amp;unknown; \uFFFD \uFFFD"_s,
     u"1 < 2 && 3 > 2 <b> &unknown; \uFFFD \uFFFD"_s},
    {u"<b>open <i>never closed"_s, u"<b>open <i>never closed</i></b>"_s, u"open never closed"_s},
    {u"</b>stray<!-- <script>alert(1)</script> -->end<!-- unterminated <b>x"_s, u"strayend"_s,
     u"strayend"_s},
    {u"a < b <3 and <!DOCTYPE html> <?php evil() ?> done"_s, u"a &lt; b &lt;3 and   done"_s,
     u"a < b <3 and done"_s},
    {u"bell\u0007 esc\u001B[2J csi\u009B del\u007F\r\nnext"_s, u"bell esc[2J csi del\nnext"_s,
     u"bell esc[2J csi del next"_s},
    {u"<svg onload=alert(1)><a href=\"https://x.example\">in svg</a></svg><math>m</math>after"_s,
     u"after"_s, u"after"_s},
};

} // namespace

TEST(ReleaseNotes, KeepFormattingAndSafeLinksAndNothingThatLoadsOrRuns)
{
    for (const Case& row : cases) {
        EXPECT_EQ(ReleaseNotes::safeHtml(row.notes), row.html) << row.notes.toStdString();
        EXPECT_EQ(ReleaseNotes::text(row.notes), row.text) << row.notes.toStdString();
    }
}

TEST(ReleaseNotes, PlainTextNotesAreEscapedAndKeepTheirLines)
{
    const QString notes = u"<b>not bold</b>\n\n  Second\u001B line "_s;
    EXPECT_EQ(ReleaseNotes::safeHtml(notes, true),
              u"<p>&lt;b&gt;not bold&lt;/b&gt;<br><br>  Second line </p>"_s);
    EXPECT_EQ(ReleaseNotes::text(notes, true), u"<b>not bold</b>\nSecond line"_s);
}

TEST(ReleaseNotes, DeepNestingKeepsItsTextButNotItsTags)
{
    const QString notes = u"<i>"_s.repeated(100) + u"deep"_s + u"</i>"_s.repeated(100);
    EXPECT_EQ(ReleaseNotes::safeHtml(notes),
              u"<i>"_s.repeated(64) + u"deep"_s + u"</i>"_s.repeated(64));
}
