// The top of the main window as a person sees it: the cool bar's flat bands,
// the font name box in the flat look of the other combo boxes, the ruler right
// below the cool bar, and a window narrower than the ruler, which clips it.

#include "tests/app/MainformFixture.h"

#include "app/TStatusBar.h"
#include "widgets/TZvFlatMenuColors.h"
#include "widgets/TZvFlatMenuStyle.h"

#include <QComboBox>
#include <QFile>
#include <QToolBar>

class MainformCoolBarAndRulerTest : public MainformFixture
{
protected:
    void writeSettings(const QByteArray& bytes)
    {
        QFile file(programPath(QStringLiteral("config/nastaveni.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(MainformCoolBarAndRulerTest, TheCoolBarIsTwoBandsOf26PixelsAndTheRulerStartsRightBelowIt)
{
    TMainform& window = createForm();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.CoolBar1->geometry(), QRect(0, 0, window.width(), 58));
    EXPECT_EQ(window.ToolBar1->height(), 26);
    EXPECT_EQ(window.ToolBar2->height(), 26);
    EXPECT_EQ(window.ruler->y(), 58);
}

TEST_F(MainformCoolBarAndRulerTest, TheBandsAreFilledFlatInTheLightenedColourOfTheCoolBar)
{
    TMainform& window = createForm();
    window.show();
    QApplication::processEvents();
    const QColor band = Lighten(window.CoolBar1->palette().color(QPalette::Window), 6);
    for (QToolBar* bar : {window.ToolBar1, window.ToolBar2}) {
        SCOPED_TRACE(bar->objectName().toStdString());
        const QImage image = bar->grab().toImage();
        const int x = image.width() - 5; // right of the last control
        for (int y : {0, image.height() / 2, image.height() - 1})
            EXPECT_EQ(image.pixelColor(x, y).name(), band.name()) << y;
    }
}

TEST_F(MainformCoolBarAndRulerTest, TheFontNameBoxHasTheFrameAndButtonOfTheOtherFlatComboBoxes)
{
    TMainform& window = createForm();
    window.show();
    QApplication::processEvents();
    QComboBox plain(window.ToolBar2);
    plain.setStyle(window.FlatMenu1->style());
    plain.setFixedSize(window.fontybox->size());
    plain.show();
    const QImage font = window.fontybox->grab().toImage();
    const QImage other = plain.grab().toImage();
    const QRect button(font.width() - 24, 0, 24, font.height());
    EXPECT_EQ(font.copy(button), other.copy(button)) << "the button with its arrow";
    const QRect topEdge(0, 0, font.width(), 2);
    EXPECT_EQ(font.copy(topEdge), other.copy(topEdge)) << "the frame";
}

TEST_F(MainformCoolBarAndRulerTest, AStoredWidthNarrowerThanTheRulerIsKeptAndTheRulerIsClipped)
{
    writeSettings("[velikost]\r\nvyskaformu=600\r\nsirkaformu=700\r\n");
    TMainform& window = createForm();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.width(), 700);

    window.resize(420, 600);
    QApplication::processEvents();
    EXPECT_EQ(window.width(), 420);
    EXPECT_EQ(window.ruler->size(), QSize(857, 25));
    EXPECT_EQ(window.ruler->visibleRegion().boundingRect(), QRect(0, 0, window.width(), 25))
        << "the ruler shows as much as the window is wide";
    // The status bar's panels keep their widths and places; the window's edge cuts them off.
    const QWidget* first = window.StatusBar1->findChild<QWidget*>(QStringLiteral("Panel0"));
    const QWidget* second = window.StatusBar1->findChild<QWidget*>(QStringLiteral("Panel1"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->width(), 250);
    EXPECT_EQ(second->width(), 60);
    EXPECT_GT(second->x(), first->x() + first->width());
}
