#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// The logs' text buffer: a tail that grows by appends and is bounded by its
// UTF-8 size. Past maxBytes it drops its front, keeping the longest end that
// starts at a character (grapheme cluster) boundary and holds at most half
// the bound: 524,288 characters of ASCII, fewer of wider text, so the bound
// holds for any text.
class LogBuffer
{
public:
    static constexpr qsizetype maxBytes = 1'048'576;
    static constexpr qsizetype trimmedBytes = maxBytes / 2;

    explicit LogBuffer(QLocale locale = QLocale());

    const QString& text() const { return m_text; }
    qsizetype utf8Size() const { return m_utf8Size; }
    const QLocale& locale() const { return m_locale; }
    // The length of text() up to and including its last newline.
    qsizetype completeLength() const { return m_text.lastIndexOf(u'\n') + 1; }

    void replace(QString text);
    // Returns true when the front had to be dropped.
    bool append(QStringView text);
    // The complete lines that contain `filter` (see LineFilter), joined with
    // newlines; the whole text when `filter` is empty.
    QString filtered(const QString& filter) const;

    static qsizetype utf8Size(QStringView text);

private:
    bool trimToBound();
    void forgetFolded() const;
    void foldCompleteLines() const;

    const QLocale m_locale;
    QString m_text;
    qsizetype m_utf8Size = 0;
    // The folded form of m_text's complete lines, extended as lines arrive,
    // so a change of the filter does not fold a megabyte each time.
    mutable QString m_folded;
    mutable qsizetype m_foldedLength = 0; // how much of m_text is folded
};
