#pragma once

#include "ui/Fonts.h"
#include "ui/SemanticColor.h"

#include <QWidget>

// A symbol standing in a line of text: as tall as text of `size`, tinted by
// a semantic colour resolved against the palette each time it is painted.
class SymbolView : public QWidget
{
    Q_OBJECT

public:
    SymbolView(QString name, SemanticColor tint, TextStyle size, QWidget* parent = nullptr);

    void setSymbol(const QString& name, SemanticColor tint);
    QString name() const { return m_name; }
    SemanticColor tint() const { return m_tint; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    SemanticColor m_tint;
};
