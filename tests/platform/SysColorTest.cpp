#include "platform/SysColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

TEST(SysColorTest, RgbValuesResolveToThemselves)
{
    EXPECT_EQ(SysColor(RGB(12, 34, 56)), QColor(12, 34, 56));
    EXPECT_EQ(SysColor(0x00FFFFFF), QColor(Qt::white));
}

class SysColorPaletteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = QGuiApplication::palette();
        QPalette palette = m_saved;
        palette.setColor(QPalette::Base, QColor(1, 1, 1));
        palette.setColor(QPalette::Text, QColor(2, 2, 2));
        palette.setColor(QPalette::Highlight, QColor(3, 3, 3));
        palette.setColor(QPalette::Button, QColor(4, 4, 4));
        palette.setColor(QPalette::ButtonText, QColor(5, 5, 5));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(6, 6, 6));
        QGuiApplication::setPalette(palette);
    }
    void TearDown() override { QGuiApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

TEST_F(SysColorPaletteTest, SystemColoursFollowTheApplicationPalette)
{
    EXPECT_EQ(SysColor(clWindow), QColor(1, 1, 1));
    EXPECT_EQ(SysColor(clWindowText), QColor(2, 2, 2));
    EXPECT_EQ(SysColor(clHighlight), QColor(3, 3, 3));
    EXPECT_EQ(SysColor(clBtnFace), QColor(4, 4, 4));
    EXPECT_EQ(SysColor(clBtnText), QColor(5, 5, 5));
    EXPECT_EQ(SysColor(clGrayText), QColor(6, 6, 6));
}

TEST_F(SysColorPaletteTest, DefaultColourIsTheAutomaticTextColour)
{
    EXPECT_EQ(SysColor(clDefault), SysColor(clWindowText));
}

TEST(SysColorTest, ColoursWithoutAPaletteRoleKeepTheirClassicValues)
{
    EXPECT_EQ(SysColor(clCaptionText), QColor(255, 255, 255));
    EXPECT_EQ(SysColor(clActiveCaption), QColor(10, 36, 106));
    EXPECT_EQ(SysColor(clGradientActiveCaption), QColor(166, 202, 240));
    EXPECT_EQ(SysColor(clInactiveCaption), QColor(128, 128, 128));
}

TEST(SysColorTest, NoneAndUnknownIndicesAreInvalid)
{
    EXPECT_FALSE(SysColor(clNone).isValid());
    EXPECT_FALSE(SysColor(clSystemColor | 25).isValid());
    EXPECT_FALSE(SysColor(clSystemColor | 200).isValid());
}
