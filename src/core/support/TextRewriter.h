#pragma once

#include <QString>
#include <QStringView>

// Builds a masked text in one forward pass: the kept stretches of the
// source with a replacement between them. Replacements come in order and
// never overlap; a text with none is returned without a copy.
class TextRewriter
{
public:
    explicit TextRewriter(const QString& source)
        : m_source(source)
    {}

    // Where the text not yet copied begins: nothing before it can be replaced.
    qsizetype copied() const { return m_copied; }

    void replace(qsizetype from, qsizetype to, QStringView replacement)
    {
        if (m_result.isEmpty())
            m_result.reserve(m_source.size());
        m_result += QStringView(m_source).sliced(m_copied, from - m_copied);
        m_result += replacement;
        m_copied = to;
    }

    QString finish()
    {
        if (m_copied == 0)
            return m_source;
        m_result += QStringView(m_source).sliced(m_copied);
        return m_result;
    }

private:
    const QString& m_source;
    QString m_result;
    qsizetype m_copied = 0;
};
