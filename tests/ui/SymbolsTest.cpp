#include "ui/Symbols.h"

#include "support/Printers.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QColor ink(0x12, 0x80, 0xD0);

QImage render(const QString& name, int side = 48)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Symbols::paint(painter, image.rect(), name, ink);
    return image;
}

// The share of pixels the symbol covers; solid pixels in any colour but the ink count as none.
double inkedShare(const QImage& image)
{
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255 && pixel.rgb() != ink.rgb())
                return 0;
            covered += pixel.alpha() > 0;
        }
    }
    return double(covered) / (image.width() * image.height());
}

} // namespace

TEST(Symbols, DrawsEveryNameTheViewsUseDistinctlyInTheTint)
{
    const QStringList names =
        u"circle.fill circle circle.dotted circle.dashed exclamationmark.triangle.fill "
        u"exclamationmark.circle.fill checkmark.circle.fill xmark.octagon.fill lock.slash "
        u"puzzlepiece.extension puzzlepiece.extension.fill accessibility "
        u"doc.text.magnifyingglass lifepreserver"_s.split(u' ');
    EXPECT_EQ(Symbols::names().size(), names.size());
    QList<QImage> images;
    for (const QString& name : names) {
        ASSERT_TRUE(Symbols::contains(name)) << name.toStdString();
        const QImage image = render(name);
        EXPECT_GT(inkedShare(image), 0.12) << name.toStdString();
        EXPECT_LT(inkedShare(image), 0.8) << name.toStdString();
        EXPECT_FALSE(images.contains(image)) << name.toStdString() << " looks like another";
        images << image;
    }
    EXPECT_FALSE(Symbols::contains(u"circle.grid"_s));
    EXPECT_EQ(inkedShare(render(u"circle.grid"_s)), 0);
}
