#pragma once

#include "ui/Fonts.h"
#include "ui/SemanticColor.h"

#include <QWidget>
#include <optional>

class QLabel;

// A line of text after a symbol, both in one semantic colour: the outcome of
// an action ("xmark.octagon.fill" in red for a failure). Hidden while it has
// nothing to say; the text wraps and can be selected.
class MessageLine : public QWidget
{
    Q_OBJECT

public:
    MessageLine(const QString& symbol, SemanticColor tint, TextStyle style,
                QWidget* parent = nullptr);

    void setMessage(const std::optional<QString>& text);
    QString text() const;

private:
    QLabel* m_label;
};
