#pragma once

#include "ui/ZentropeMark.h"

#include <QByteArray>
#include <QIcon>
#include <QImage>

// The application's icon for launchers, menus and its window: the mark in
// white on a rounded indigo tile. The same drawing as pixels and as SVG.
class AppIcon
{
public:
    // A square image of `pixels` × `pixels`.
    static QImage render(const ZentropeMark& mark, int pixels);
    // The icon at the usual window-icon sizes.
    static QIcon icon(const ZentropeMark& mark);
    // A scalable drawing of the same icon (256 × 256 view box).
    static QByteArray svg(const ZentropeMark& mark);
};
