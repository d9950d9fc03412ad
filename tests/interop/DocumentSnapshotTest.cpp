#include "tests/interop/DocumentSnapshot.h"

#include "format/TextFormatProperties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace TFP = TextFormatProperties;

// "Tučně a normálně" / "Druhý odstavec", with the first word bold.
void writeSample(QTextDocument& document)
{
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Tučně"), bold);
    cursor.insertText(QStringLiteral(" a normálně"), QTextCharFormat());
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Druhý odstavec"));
}

void changeCharacters(QTextDocument& document, int from, int to,
                      const std::function<void(QTextCharFormat&)>& change)
{
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QTextCharFormat format = cursor.charFormat();
    change(format);
    cursor.setCharFormat(format);
}

void changeSecondBlock(QTextDocument& document, const std::function<void(QTextBlockFormat&)>& change)
{
    QTextCursor cursor(document.lastBlock());
    QTextBlockFormat format = cursor.blockFormat();
    change(format);
    cursor.setBlockFormat(format);
}

TEST(DocumentSnapshotTest, RunsAreTheLongestStretchesOfOneFormat)
{
    QTextDocument document;
    writeSample(document);
    const std::vector<BlockSnapshot> blocks = SnapshotDocument(document);
    ASSERT_EQ(blocks.size(), 2u);
    ASSERT_EQ(blocks[0].runs.size(), 2u);
    EXPECT_EQ(blocks[0].runs[0].text, QStringLiteral("Tučně"));
    EXPECT_EQ(blocks[0].runs[1].text, QStringLiteral(" a normálně"));
    ASSERT_EQ(blocks[1].runs.size(), 1u);
}

// A snapshot that ignored an attribute would let a round trip that loses it pass.
TEST(DocumentSnapshotTest, EveryComparedAttributeMakesADifference)
{
    using CharChange = std::function<void(QTextCharFormat&)>;
    const std::pair<const char*, CharChange> characterChanges[] = {
        {"italic", [](QTextCharFormat& f) { f.setFontItalic(true); }},
        {"underline", [](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::SingleUnderline); }},
        {"strike", [](QTextCharFormat& f) { f.setFontStrikeOut(true); }},
        {"size", [](QTextCharFormat& f) { TFP::setCharSize(f, 300); }},
        {"family", [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("DejaVu Serif")}); }},
        {"colour", [](QTextCharFormat& f) { TFP::setCharTextColor(f, Qt::red); }},
        {"highlight", [](QTextCharFormat& f) { TFP::setCharBackColor(f, Qt::yellow); }},
        {"superscript",
         [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }},
        {"offset", [](QTextCharFormat& f) { TFP::setCharOffset(f, -40); }},
        {"charset", [](QTextCharFormat& f) { TFP::setCharCharset(f, 204); }},
        {"link", [](QTextCharFormat& f) { TFP::setCharLink(f, QStringLiteral("https://example.cz")); }},
    };
    QTextDocument original;
    writeSample(original);
    for (const auto& [name, change] : characterChanges) {
        QTextDocument changed;
        writeSample(changed);
        changeCharacters(changed, 5, 16, change); // the whole second run
        EXPECT_NE(SnapshotDocument(changed), SnapshotDocument(original)) << name;
        // The description of a failure must name the change too.
        EXPECT_TRUE(DescribeDifference(SnapshotDocument(original)[0], SnapshotDocument(changed)[0])
                        .startsWith(QStringLiteral("run 1 ")))
            << name;
    }

    using BlockChange = std::function<void(QTextBlockFormat&)>;
    const std::pair<const char*, BlockChange> blockChanges[] = {
        {"alignment", [](QTextBlockFormat& f) { TFP::setBlockAlignment(f, 3); }},
        {"indents", [](QTextBlockFormat& f) { TFP::setBlockIndents(f, 720, -360); }},
        {"right indent", [](QTextBlockFormat& f) { TFP::setBlockRightIndent(f, 200); }},
        {"space before", [](QTextBlockFormat& f) { TFP::setBlockSpaceBefore(f, 120); }},
        {"space after", [](QTextBlockFormat& f) { TFP::setBlockSpaceAfter(f, 120); }},
        {"line spacing",
         [](QTextBlockFormat& f) { TFP::setBlockLineSpacing(f, TFP::LineSpacingExactly, 300); }},
        {"numbering", [](QTextBlockFormat& f) { f.setProperty(TFP::BlockNumberingStart, 3); }},
        {"tabs",
         [](QTextBlockFormat& f) { f.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab)}); }},
    };
    for (const auto& [name, change] : blockChanges) {
        QTextDocument changed;
        writeSample(changed);
        changeSecondBlock(changed, change);
        EXPECT_NE(SnapshotDocument(changed), SnapshotDocument(original)) << name;
        EXPECT_FALSE(
            DescribeDifference(SnapshotDocument(original)[1], SnapshotDocument(changed)[1]).isEmpty())
            << name;
    }
}

TEST(DocumentSnapshotTest, DifferenceNamesTheFieldAndBothValues)
{
    QTextDocument original;
    writeSample(original);
    QTextDocument changed;
    writeSample(changed);
    changeCharacters(changed, 0, 5,
                     [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("DejaVu Serif")}); });
    EXPECT_EQ(DescribeDifference(SnapshotDocument(original)[0], SnapshotDocument(changed)[0]),
              QStringLiteral("run 0 font \"\" -> \"DejaVu Serif\""));
    EXPECT_TRUE(DescribeDifference(SnapshotDocument(original)[1], SnapshotDocument(changed)[1]).isEmpty());
}

TEST(DocumentSnapshotTest, ListsAndTableCellsAreToldApart)
{
    QTextDocument original;
    writeSample(original);

    QTextDocument listed;
    writeSample(listed);
    QTextCursor(listed.lastBlock()).createList(QTextListFormat::ListDisc);
    EXPECT_NE(SnapshotDocument(listed), SnapshotDocument(original));

    QTextDocument numbered;
    writeSample(numbered);
    QTextCursor(numbered.lastBlock()).createList(QTextListFormat::ListDecimal);
    EXPECT_NE(SnapshotDocument(numbered), SnapshotDocument(listed));

    QTextDocument withTable;
    writeSample(withTable);
    QTextCursor end(&withTable);
    end.movePosition(QTextCursor::End);
    end.insertTable(1, 2)->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("Brno"));
    QTextDocument withParagraphs;
    writeSample(withParagraphs);
    QTextCursor paragraphs(&withParagraphs);
    paragraphs.movePosition(QTextCursor::End);
    paragraphs.insertBlock();
    paragraphs.insertBlock();
    paragraphs.insertText(QStringLiteral("Brno"));
    EXPECT_NE(SnapshotDocument(withTable), SnapshotDocument(withParagraphs));
}

} // namespace
