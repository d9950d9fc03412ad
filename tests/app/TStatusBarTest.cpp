#include "app/TStatusBar.h"

#include <gtest/gtest.h>

TEST(TStatusBarTest, PanelsKeepTheirTextsByIndex)
{
    TStatusBar bar;
    bar.addPanel(100, Qt::AlignLeft);
    bar.addPanel(50, Qt::AlignRight);
    bar.setPanelText(1, QStringLiteral("12:00:00        "));
    EXPECT_EQ(bar.panelText(0), QString());
    EXPECT_EQ(bar.panelText(1), QStringLiteral("12:00:00        "));
    EXPECT_EQ(bar.panelWidth(1), 50);
    EXPECT_EQ(bar.panelAlignment(1), Qt::AlignRight);
}

TEST(TStatusBarTest, IndicesOutOfRangeReadEmptyAndWriteNothing)
{
    TStatusBar bar;
    bar.addPanel(100, Qt::AlignLeft);
    bar.setPanelText(-1, QStringLiteral("x"));
    bar.setPanelText(1, QStringLiteral("x"));
    EXPECT_EQ(bar.panelText(-1), QString());
    EXPECT_EQ(bar.panelText(1), QString());
    EXPECT_EQ(bar.panelText(0), QString());
    EXPECT_EQ(bar.panelWidth(7), 0);
}

TEST(TStatusBarTest, TheLastPanelReachesTheRightEnd)
{
    TStatusBar bar;
    bar.setSizeGripEnabled(false);
    bar.addPanel(100, Qt::AlignLeft);
    bar.addPanel(50, Qt::AlignRight);
    bar.resize(400, 19);
    bar.show();
    const QWidget* first = bar.findChild<QWidget*>(QStringLiteral("Panel0"));
    const QWidget* last = bar.findChild<QWidget*>(QStringLiteral("Panel1"));
    EXPECT_EQ(first->width(), 100);
    EXPECT_GT(last->width(), 250);
}
