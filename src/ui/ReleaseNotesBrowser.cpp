#include "ui/ReleaseNotesBrowser.h"

#include <QImage>
#include <QTextDocument>

ReleaseNotesBrowser::ReleaseNotesBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false); // a click neither navigates here nor opens anything by itself
    setOpenExternalLinks(false);
    setSearchPaths({});
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
