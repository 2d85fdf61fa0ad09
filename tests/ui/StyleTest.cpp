#include "ui/Style.h"

#include "support/Printers.h"
#include "ui/support/Widgets.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

double luminance(const QColor& color)
{
    const auto channel = [](float value) {
        return value <= 0.03928f ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(SemanticColors, ReadOnLightAndDarkWindows)
{
    const QPalette light = QApplication::style()->standardPalette();
    const QPalette dark = Widgets::darkPalette();
    for (const QPalette& palette : {light, dark}) {
        const QColor window = palette.color(QPalette::Window);
        for (const auto color : {SemanticColor::green, SemanticColor::red, SemanticColor::orange,
                                 SemanticColor::yellow, SemanticColor::secondary})
            EXPECT_GE(contrast(semanticColor(color, palette), window), 3.0)
                << int(color) << " on " << window.name().toStdString();
    }
}

// A mended fault: a disabled prominent button kept its accent and looked pressable.
TEST(Style, AProminentButtonLooksDisabledWhenItIs)
{
    QWidget window;
    window.setPalette(QApplication::style()->standardPalette());
    auto* button = new QPushButton(u"Install into all"_s, &window);
    Style::setProminent(button);
    const QPalette& palette = button->palette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::ButtonText),
              window.palette().color(QPalette::HighlightedText));
    for (const auto role : {QPalette::Button, QPalette::ButtonText})
        EXPECT_EQ(palette.color(QPalette::Disabled, role),
                  window.palette().color(QPalette::Disabled, role));
}
