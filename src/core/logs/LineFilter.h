#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Keeps the lines that contain a filter text, ignoring case as the user's
// locale does: full case mapping ("straße" matches "STRASSE") and the
// locale's own rules (a Turkish locale tells dotted and dotless i apart).
// The filter is plain text: no patterns, spaces kept.
class LineFilter
{
public:
    explicit LineFilter(const QString& filter, QLocale locale = QLocale());

    // An empty filter keeps everything; select() is not for it.
    bool isEmpty() const { return m_folded.isEmpty(); }
    // The case-blind form of `text`; newlines stay where they are, one for one.
    static QString fold(QStringView text, const QLocale& locale);
    QString fold(QStringView text) const { return fold(text, m_locale); }
    bool matches(QStringView line) const;

    // Lines chosen so far, joined with newlines.
    struct Selection
    {
        QString text;
        bool isEmpty = true;
        void add(QStringView line);
    };

    // Splits `text` at every newline and adds the pieces that match to
    // `selection`; `folded` is fold(text), for callers that keep it.
    void select(QStringView text, QStringView folded, Selection& selection) const;
    QString select(const QString& text) const;

private:
    QLocale m_locale;
    QString m_folded;
};
