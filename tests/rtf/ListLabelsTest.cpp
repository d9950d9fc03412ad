// The labels list paragraphs show, the same on screen, in print, in plain text and in RTF.

#include "rtf/ListLabels.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <string_view>

using namespace TextFormatProperties;
using namespace std::string_view_literals;

namespace {

struct Item
{
    int level;
    int numbering;
    int style;
    int start;
    std::u16string_view levelText; // kept from reading; empty for none
};

// Each item in a list of its own level; an item of a level met before goes on in its list.
QTextDocument* documentOf(QTextDocument& document, std::initializer_list<Item> items)
{
    QTextCursor cursor(&document);
    QList<QTextList*> lists(ListLabels::LevelCount, nullptr);
    bool first = true;
    for (const Item& item : items) {
        QTextBlockFormat format;
        format.setProperty(BlockNumbering, item.numbering);
        format.setProperty(BlockNumberingStyle, item.style);
        format.setProperty(BlockNumberingStart, item.start);
        format.setProperty(BlockListLevel, item.level);
        if (!item.levelText.empty())
            format.setProperty(BlockListLevelText,
                               QString::fromUtf16(item.levelText.data(), qsizetype(item.levelText.size())));
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.setBlockFormat(format);
        if (QTextList* list = lists[item.level])
            list->add(cursor.block());
        else
            lists[item.level] = cursor.createList(QTextListFormat::ListDecimal);
    }
    return &document;
}

QStringList labelsOf(const QTextDocument& document)
{
    ListLabels labels;
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        result << labels.labelOf(block);
    return result;
}

TEST(ListLabelsTest, NumbersFollowTheStyleAndTheStartOfTheirParagraphs)
{
    const struct
    {
        int numbering, style, start;
        QStringList labels;
    } cases[] = {
        {PFN_ARABIC, PFNS_PAREN, 1, {"1)", "2)"}},        {PFN_ARABIC, PFNS_PERIOD, 5, {"5.", "6."}},
        {PFN_LCROMAN, PFNS_PARENS, 3, {"(iii)", "(iv)"}}, {PFN_UCLETTER, PFNS_PLAIN, 2, {"B", "C"}},
        {PFN_ARABIC, PFNS_NONUMBER, 1, {"", ""}},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        documentOf(document,
                   {{0, c.numbering, c.style, c.start, {}}, {0, c.numbering, c.style, c.start, {}}});
        EXPECT_EQ(labelsOf(document), c.labels);
    }
}

TEST(ListLabelsTest, BulletsChangeWithTheLevel)
{
    QTextDocument document;
    documentOf(document, {{0, PFN_BULLET, PFNS_PAREN, 1, {}},
                          {1, PFN_BULLET, PFNS_PAREN, 1, {}},
                          {2, PFN_BULLET, PFNS_PAREN, 1, {}},
                          {3, PFN_BULLET, PFNS_PAREN, 1, {}}});
    EXPECT_EQ(labelsOf(document), QStringList({"•", "◦", "▪", "•"}));
}

// A level text names the numbers of the levels above; a label asked alone, as
// the screen asks for the paragraphs it shows, finds them by looking back.
TEST(ListLabelsTest, LevelTextsNameTheLevelsAboveAlsoWhenAskedOutOfOrder)
{
    QTextDocument document;
    documentOf(document, {{0, PFN_ARABIC, PFNS_PERIOD, 1, u"\x00."sv},
                          {1, PFN_LCLETTER, PFNS_PERIOD, 1, u"\x00.\x01)"sv},
                          {1, PFN_LCLETTER, PFNS_PERIOD, 1, u"\x00.\x01)"sv},
                          {0, PFN_ARABIC, PFNS_PERIOD, 1, u"\x00."sv}});
    EXPECT_EQ(labelsOf(document), QStringList({"1.", "1.a)", "1.b)", "2."}));
    EXPECT_EQ(ListLabels().labelOf(document.findBlockByNumber(2)), QStringLiteral("1.b)"));
}

} // namespace
