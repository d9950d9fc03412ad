// A list with levels is written as one list of levels and read back as one QTextList per level.

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "tests/rtf/RtfTestSupport.h"

#include <QTextList>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

struct Item
{
    const char* text;
    int level;
    int numbering;
    int start;
    QTextListFormat::Style style;
    bool newList; // starts a QTextList of its own rather than going on in the level's last one
};

// Three levels: decimal from 3, letters, upper-case Roman from 2; the second list of letters
// is a list of its own under the next item of the outer level.
const Item items[] = {
    {"jedna", 0, PFN_ARABIC, 3, QTextListFormat::ListDecimal, true},
    {"a", 1, PFN_LCLETTER, 1, QTextListFormat::ListLowerAlpha, true},
    {"I", 2, PFN_UCROMAN, 2, QTextListFormat::ListUpperRoman, true},
    {"II", 2, PFN_UCROMAN, 2, QTextListFormat::ListUpperRoman, false},
    {"b", 1, PFN_LCLETTER, 1, QTextListFormat::ListLowerAlpha, false},
    {"dva", 0, PFN_ARABIC, 3, QTextListFormat::ListDecimal, false},
    {"a znovu", 1, PFN_LCLETTER, 1, QTextListFormat::ListLowerAlpha, true},
};

QTextDocument* nestedListDocument(QTextDocument& document)
{
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("před"));
    QTextList* lastOfLevel[3] = {};
    for (const Item& item : items) {
        QTextBlockFormat format;
        setBlockIndents(format, 360 * (item.level + 1), 360);
        format.setProperty(BlockNumbering, item.numbering);
        format.setProperty(BlockNumberingStart, item.start);
        format.setProperty(BlockNumberingStyle, PFNS_PERIOD);
        format.setProperty(BlockListLevel, item.level);
        cursor.insertBlock(format);
        cursor.insertText(QString::fromUtf8(item.text));
        if (item.newList) {
            QTextListFormat listFormat;
            listFormat.setStyle(item.style);
            lastOfLevel[item.level] = cursor.createList(listFormat);
        } else {
            lastOfLevel[item.level]->add(cursor.block());
        }
    }
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("po"));
    return &document;
}

TEST(RtfNestedListTest, NestedListIsWrittenAsOneListWithLevels)
{
    QTextDocument document;
    const QByteArray rtf = writeRtf(*nestedListDocument(document));
    EXPECT_EQ(rtf.count("{\\list\\listtemplateid"), 1);
    EXPECT_EQ(rtf.count("{\\listoverride\\listid"), 1);
    EXPECT_EQ(rtf.count("{\\listlevel"), 9);
    EXPECT_FALSE(rtf.contains("\\ls2"));
    // The list follows the older numbering, whose \\pnlvlbody would otherwise put it at level 0.
    for (const char* paragraph :
         {"{\\pntxta .}}\\ls1\\ilvl0 ", "{\\pntxta .}}\\ls1\\ilvl1 ", "{\\pntxta .}}\\ls1\\ilvl2 "})
        EXPECT_TRUE(rtf.contains(paragraph)) << paragraph;
    // Each level numbers as its items do, from their start, at their indent.
    QList<QByteArray> levels;
    for (const QByteArray& group : rtf.split('{'))
        if (group.startsWith("\\listlevel"))
            levels.append(group);
    ASSERT_GE(levels.size(), 3);
    EXPECT_TRUE(
        levels[0].contains("\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat3"));
    EXPECT_TRUE(
        levels[1].contains("\\levelnfc4\\levelnfcn4\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"));
    EXPECT_TRUE(
        levels[2].contains("\\levelnfc1\\levelnfcn1\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat2"));
    EXPECT_TRUE(rtf.contains("{\\levelnumbers\\'01;}\\fi-360\\li1080}"));
}

TEST(RtfNestedListTest, NestedListKeepsLevelsKindsStartsAndNumbers)
{
    QTextDocument document;
    nestedListDocument(document);
    const auto back = readRtf(writeRtf(document));
    expectSameListItems(*back, document, {BlockNumbering, BlockNumberingStart, BlockListLevel});
    ASSERT_EQ(back->blockCount(), document.blockCount());
    for (int number = 0; number < document.blockCount(); ++number) {
        SCOPED_TRACE(number);
        const QTextList* wantList = document.findBlockByNumber(number).textList();
        const QTextList* gotList = back->findBlockByNumber(number).textList();
        if (!wantList)
            continue;
        // Paragraphs share a QTextList after the reading exactly when they did before.
        for (int other = 0; other < number; ++other) {
            const QTextList* wantOther = document.findBlockByNumber(other).textList();
            const QTextList* gotOther = back->findBlockByNumber(other).textList();
            EXPECT_EQ(gotOther == gotList, wantOther == wantList) << other;
        }
    }
}

TEST(RtfNestedListTest, ListsApartOrOfAnotherKindAtTheirLevelGetListsOfTheirOwn)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    // A bulleted list after a paragraph of text, then a numbered list of the same level
    // right under it, then a deeper list of yet another kind after the text.
    const std::pair<int, QTextListFormat::Style> lists[] = {{0, QTextListFormat::ListDisc},
                                                            {0, QTextListFormat::ListDecimal}};
    for (const auto& [level, style] : lists) {
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(QStringLiteral("položka"));
        QTextListFormat listFormat;
        listFormat.setStyle(style);
        cursor.createList(listFormat);
    }
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("text"));
    QTextBlockFormat deeper;
    deeper.setProperty(BlockListLevel, 1);
    cursor.insertBlock(deeper);
    cursor.insertText(QStringLiteral("hlubší"));
    cursor.createList(QTextListFormat::ListLowerRoman);
    const QByteArray rtf = writeRtf(document);
    EXPECT_EQ(rtf.count("{\\listoverride\\listid"), 3);
    for (const char* paragraph : {"\\ls1\\ilvl0", "\\ls2\\ilvl0", "\\ls3\\ilvl1"})
        EXPECT_TRUE(rtf.contains(paragraph)) << paragraph;
}

} // namespace
