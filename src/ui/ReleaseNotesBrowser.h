#pragma once

#include <QTextBrowser>

// Release notes from the update feed, read-only. It loads nothing: no image,
// style sheet or page, local or remote, whatever the notes name; a link is
// only announced (anchorClicked) for the owner to open outside.
class ReleaseNotesBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ReleaseNotesBrowser(QWidget* parent = nullptr);

    // Shows the notes, their links in a colour that reads on this window.
    void setNotes(const QString& html);

    QVariant loadResource(int type, const QUrl& name) override;
};
