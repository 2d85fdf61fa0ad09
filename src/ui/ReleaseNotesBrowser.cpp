#include "ui/ReleaseNotesBrowser.h"

#include "ui/SemanticColor.h"

#include <QImage>
#include <QTextDocument>

ReleaseNotesBrowser::ReleaseNotesBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false); // a click neither navigates here nor opens anything by itself
    setOpenExternalLinks(false);
    setSearchPaths({});
}

void ReleaseNotesBrowser::setNotes(const QString& html)
{
    // Links take their colour when the notes are read, from the application's
    // palette unless told otherwise.
    document()->setDefaultStyleSheet(
        QStringLiteral("a { color: %1; }").arg(linkColor(palette()).name()));
    setHtml(html);
}

QVariant ReleaseNotesBrowser::loadResource(int type, const QUrl&)
{
    // An answer, however empty, is needed: given none, the document reads a
    // local file itself, and an image with no data is looked for by its name.
    if (type == QTextDocument::ImageResource) {
        QImage nothing(1, 1, QImage::Format_ARGB32_Premultiplied);
        nothing.fill(Qt::transparent);
        return nothing;
    }
    return QByteArray("");
}
