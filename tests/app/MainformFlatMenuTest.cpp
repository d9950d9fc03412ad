// The main window's flat menu renderer: on at start, except on the operating
// system version with minor number 10, where the system's drawing stays.

#include "tests/app/MainformFixture.h"

#include "platform/OsVersion.h"
#include "widgets/TIntSpinEdit.h"
#include "widgets/TZvFlatMenuStyle.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

class MainformFlatMenuTest : public MainformFixture
{
protected:
    void TearDown() override
    {
        MainformFixture::TearDown();
        ResetVersionForTesting();
    }
};

TEST_F(MainformFlatMenuTest, MenusAndControlsAreFlatAtStart)
{
    TMainform& window = createForm();
    const QStyle* flat = window.FlatMenu1->style();
    EXPECT_TRUE(window.FlatMenu1->Active());
    EXPECT_EQ(window.MainMenu1->style(), flat);
    EXPECT_EQ(window.Soubor1->style(), flat);
    EXPECT_EQ(window.PopupMenu1->style(), flat);
    EXPECT_EQ(window.velikostpisma->style(), flat);
    EXPECT_EQ(window.fontybox->style(), flat) << "the font box has the flat look of the other combo boxes";
}

TEST_F(MainformFlatMenuTest, MinorVersionTenKeepsTheSystemsDrawing)
{
    OSVERSIONINFO version;
    version.dwMajorVersion = 4;
    version.dwMinorVersion = 10;
    version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    SetVersionForTesting(version);
    TMainform& window = createForm();
    EXPECT_FALSE(window.FlatMenu1->Active());
    EXPECT_EQ(window.MainMenu1->style(), QApplication::style());
    EXPECT_EQ(window.PopupMenu1->style(), QApplication::style());
    EXPECT_EQ(window.velikostpisma->style(), QApplication::style());
}
