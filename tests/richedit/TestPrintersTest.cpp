#include "editcontrol/RichEditTypes.h"
#include "platform/Printer.h"
#include "richedit/TZvCustomRichEdit.h"

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QStringList>

#include <gtest/gtest.h>

using ::testing::PrintToString;

// A failed comparison shows its values through these printers; without them
// GoogleTest shows the objects' bytes.
TEST(TestPrintersTest, QtValuesPrintAsTheyRead)
{
    EXPECT_EQ(PrintToString(QStringLiteral("tučný\r\"x\"")), R"("tučný\r\"x\"")");
    EXPECT_EQ(PrintToString(QStringList{QStringLiteral("a"), QStringLiteral("b")}), R"({ "a", "b" })");
    EXPECT_EQ(PrintToString(QChar(u'ř')), R"('ř')");
    EXPECT_EQ(PrintToString(QByteArray("{\\rtf1 \x01}")), R"("{\\rtf1 \x01}")");
    EXPECT_EQ(PrintToString(QColor(255, 250, 205)), "#fffacd");
    EXPECT_EQ(PrintToString(QColor(255, 250, 205, 128)), "#80fffacd") << "the alpha shows when not opaque";
    EXPECT_EQ(PrintToString(QColor()), "(invalid colour)");
    EXPECT_EQ(PrintToString(QRect(0, 0, 857, 25)), "QRect(0,0 857x25)");
}

TEST(TestPrintersTest, RecordsPrintTheirFields)
{
    EXPECT_EQ(PrintToString(CHARRANGE{3, 5}), "CHARRANGE{3, 5}");
    EXPECT_EQ(PrintToString(TPoint{4, 1}), "TPoint{4, 1}");
    PageSetupOptions options;
    options.minimumMargins = {1, 2, 3, 4};
    EXPECT_EQ(PrintToString(options), "margins 2500, 2500, 2500, 2500 (at least 1, 2, 3, 4), "
                                      "paper 21000x29700, portrait");
}
