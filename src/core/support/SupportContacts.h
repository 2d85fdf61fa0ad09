#pragma once

#include <QString>
#include <QUrl>

// Where users reach Zentrope's support, kept in this one place: the e-mail
// address, the documentation page, and the draft of a support request that
// names a diagnostics archive.
class SupportContacts
{
public:
    static QString emailAddress();
    static QString documentationPage();

    // A new message to the support address.
    static QUrl emailUrl();
    // A new message to the support address about `archiveFileName`, which
    // the user attaches (the draft cannot carry it): its subject and body.
    static QUrl supportRequestDraft(const QString& archiveFileName);
    static QString supportRequestSubject();
    static QString supportRequestBody(const QString& archiveFileName);
};
