#include "app/ZvIcons.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

bool containsColour(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 200 && qAbs(pixel.red() - colour.red()) < 40 &&
                qAbs(pixel.green() - colour.green()) < 40 && qAbs(pixel.blue() - colour.blue()) < 40)
                return true;
        }
    }
    return false;
}

} // namespace

TEST(ZvIconsTest, AnIconTheThemeLacksIsDrawnWithItsGlyph)
{
    const QIcon icon = ZvIcon(QStringLiteral("zorvan-no-such-icon"), QStringLiteral("B"), QColor(200, 0, 0));
    ASSERT_FALSE(icon.isNull());
    const QImage image = icon.pixmap(22, 22).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(containsColour(image, QColor(200, 0, 0)));
}

TEST(ZvIconsTest, DrawnIconsComeInTheToolBarAndMenuSizes)
{
    const QIcon icon = ZvDrawnIcon(QStringLiteral("x²"), Qt::blue);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(22, 22)));
}
