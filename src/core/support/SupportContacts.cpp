#include "core/support/SupportContacts.h"

QString SupportContacts::emailAddress()
{
    return QStringLiteral("support@zentrope.app");
}

QString SupportContacts::documentationPage()
{
    return QStringLiteral("https://zentrope.app/support");
}

QUrl SupportContacts::emailUrl()
{
    return QUrl(QStringLiteral("mailto:") + emailAddress());
}

QString SupportContacts::supportRequestSubject()
{
    return QStringLiteral("Zentrope support request");
}

QString SupportContacts::supportRequestBody(const QString& archiveFileName)
{
    return QStringLiteral("Hi Zentrope support,\n\n[describe the issue here]\n\n"
                          "Diagnostics bundle attached: ") +
           archiveFileName + u'\n';
}

QUrl SupportContacts::supportRequestDraft(const QString& archiveFileName)
{
    // Everything but the unreserved characters is encoded: a "&", "=", "+"
    // or "#" in the file name would otherwise end or change the body.
    const QByteArray address =
        "mailto:" + emailAddress().toUtf8() +
        "?subject=" + QUrl::toPercentEncoding(supportRequestSubject()) +
        "&body=" + QUrl::toPercentEncoding(supportRequestBody(archiveFileName));
    return QUrl::fromEncoded(address, QUrl::StrictMode);
}
