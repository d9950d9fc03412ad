// The top of the main window as a person sees it: the cool bar's flat bands,
// the font name box in the flat look of the other combo boxes, the ruler right
// below the cool bar, and a window narrower than the ruler, which clips it.

#include "tests/app/MainformFixture.h"

#include <QFile>

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
}

