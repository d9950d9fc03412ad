// What the ruler paints, checked at pixels whose colour is fixed: the frame,
// the margin bands, the writing area, ticks around the left margin line, the
// margin handlers and the flat copy left where a dragged handle started.

#include "MainWindowRuler.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class TZvRulerPaintTest : public MainWindowRuler
{
protected:
    QRgb pixel(int x, int y) { return ruler.grab().toImage().pixel(x, y); }
    // The column's colour on the given rows, "ink" where the scale's colour is.
    QString column(int x, int top, int bottom)
    {
        const QImage image = ruler.grab().toImage();
        QString rows;
        for (int y = top; y <= bottom; ++y)
            rows += image.pixel(x, y) == SysColor(clWindowText).rgb() ? QLatin1Char('#') : QLatin1Char('.');
        return rows;
    }
};

} // namespace

TEST_F(TZvRulerPaintTest, FillsFrameBandsAndWritingArea)
{
    EXPECT_EQ(pixel(1, 1), SysColor(clBtnFace).rgb());
    EXPECT_EQ(pixel(856, 24), SysColor(clBtnFace).rgb());
    EXPECT_EQ(pixel(10, 12), SysColor(clBtnShadow).rgb());
    EXPECT_EQ(pixel(66, 10), SysColor(clBtnShadow).rgb());
    EXPECT_EQ(pixel(800, 12), SysColor(clBtnShadow).rgb());
    EXPECT_EQ(pixel(300, 8), SysColor(clWindow).rgb());
    ruler.setColor(0x00CC8844);
    EXPECT_EQ(pixel(300, 8), qRgb(0x44, 0x88, 0xCC));
}

TEST_F(TZvRulerPaintTest, DrawsTicksMeasuredFromTheLeftMarginLine)
{
    // Rows 9 to 15 of the large tick at L + 20, the small tick at L + 10 and its mirror at L - 10.
    EXPECT_EQ(column(87, 9, 15), QStringLiteral(".#####."));
    EXPECT_EQ(column(77, 9, 15), QStringLiteral("..##..."));
    EXPECT_EQ(column(57, 10, 13), QStringLiteral(".##."));
    EXPECT_EQ(column(82, 9, 15), QStringLiteral("......."));
    // No mark stands on the margin line while numbers are shown.
    EXPECT_EQ(column(67, 10, 11), QStringLiteral(".."));
    ruler.setShowNumbers(false);
    EXPECT_EQ(column(67, 10, 11), QStringLiteral("##"));
    ruler.setShowLargeLines(false);
    ruler.setShowSmallLines(false);
    EXPECT_EQ(column(87, 9, 15) + column(77, 9, 15), QStringLiteral(".............."));
}

TEST_F(TZvRulerPaintTest, MarksMarginLinesWhenMarginHandlersAreShown)
{
    ruler.setShowMarginHandlers(true);
    EXPECT_EQ(pixel(66, 10), SysColor(clBtnFace).rgb());
    EXPECT_EQ(pixel(765, 10), SysColor(clBtnFace).rgb());
    ruler.setMarginRight(0);
    EXPECT_EQ(pixel(851, 10), SysColor(clBtnShadow).rgb());
}

TEST_F(TZvRulerPaintTest, LeavesAFlatCopyWhereADraggedHandleStarted)
{
    TZvRulerHandle* first = ruler.handle(riFirst);
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(4, 3));
    QTest::mouseMove(first, QPoint(34, 3));
    ASSERT_EQ(ruler.IndentFirst(), 90);
    EXPECT_EQ(pixel(62, 2), SysColor(clBtnShadow).rgb());
    EXPECT_EQ(pixel(90, 2), qRgb(0, 0, 0));
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(4, 3));
    EXPECT_EQ(pixel(62, 2), SysColor(clBtnFace).rgb());
}
