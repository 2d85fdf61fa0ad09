#include "ui/ReleaseNotesBrowser.h"

ReleaseNotesBrowser::ReleaseNotesBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false); // a click neither navigates here nor opens anything by itself
    setOpenExternalLinks(false);
    setSearchPaths({});
}

QVariant ReleaseNotesBrowser::loadResource(int, const QUrl&)
{
    return {};
}
