// Documents written by RtfWriter and read back by RtfReader keep their text and formats.

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "tests/rtf/RtfTestSupport.h"

#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

std::unique_ptr<QTextDocument> roundTrip(const QTextDocument& document)
{
    return readRtf(writeRtf(document));
}

// The character formats of every fragment, as the attributes the editor reads.
struct Run
{
    QString text;
    QString family;
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool autoColor = true;
    QRgb color = 0;
    bool autoBack = true;
    QRgb back = 0;
    int script = 0;
    int offset = 0;
    QString link;
    friend bool operator==(const Run&, const Run&) = default;
};

void PrintTo(const Run& run, std::ostream* out)
{
    *out << '"' << run.text.toStdString() << "\" " << run.family.toStdString() << ' ' << run.size
         << (run.bold ? " b" : "") << (run.italic ? " i" : "") << (run.underline ? " u" : "")
         << (run.strike ? " s" : "") << " color " << (run.autoColor ? -1 : int(run.color)) << " back "
         << (run.autoBack ? -1 : int(run.back)) << " script " << run.script << " offset " << run.offset
         << " link " << run.link.toStdString();
}

std::vector<Run> runsOf(const QTextDocument& document)
{
    std::vector<Run> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            Run run;
            run.text = it.fragment().text();
            run.family = format.fontFamilies().toStringList().value(0);
            run.size = charSize(format);
            run.bold = format.fontWeight() >= QFont::DemiBold;
            run.italic = format.fontItalic();
            run.underline = format.fontUnderline();
            run.strike = format.fontStrikeOut();
            run.autoColor = charAutoColor(format);
            run.color = run.autoColor ? 0 : format.foreground().color().rgb();
            run.autoBack = charAutoBackColor(format);
            run.back = run.autoBack ? 0 : format.background().color().rgb();
            run.script = format.verticalAlignment();
            run.offset = charOffset(format);
            run.link = charLink(format);
            if (!runs.empty() && runs.back().family == run.family && [&] {
                    Run previous = runs.back();
                    previous.text = run.text;
                    return previous == run;
                }())
                runs.back().text += run.text;
            else
                runs.push_back(run);
        }
    }
    return runs;
}

QTextCharFormat baseFormat()
{
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Arial")});
    setCharSize(format, 240);
    setCharTextColor(format, QColor());
    setCharBackColor(format, QColor());
    return format;
}

} // namespace

TEST(RtfRoundTripTest, CharacterFormatsSurvive)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat format = baseFormat();
    cursor.insertText(QStringLiteral("obyčejný "), format);
    QTextCharFormat bold = format;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("tučný "), bold);
    QTextCharFormat mixed = format;
    mixed.setFontItalic(true);
    mixed.setFontUnderline(true);
    mixed.setFontStrikeOut(true);
    setCharTextColor(mixed, QColor(200, 10, 20));
    setCharBackColor(mixed, QColor(255, 255, 0));
    cursor.insertText(QStringLiteral("barevný "), mixed);
    QTextCharFormat courier = format;
    courier.setFontFamilies({QStringLiteral("Courier New")});
    setCharSize(courier, 210);
    cursor.insertText(QStringLiteral("písmo "), courier);
    QTextCharFormat sub = format;
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText(QStringLiteral("2"), sub);
    QTextCharFormat super = format;
    super.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(QStringLiteral("3"), super);
    QTextCharFormat raised = format;
    setCharOffset(raised, 60);
    cursor.insertText(QStringLiteral("výš"), raised);
    QTextCharFormat lowered = format;
    setCharOffset(lowered, -40);
    cursor.insertText(QStringLiteral("níž"), lowered);

    const auto back = roundTrip(document);
    EXPECT_EQ(back->toPlainText(), document.toPlainText());
    EXPECT_EQ(runsOf(*back), runsOf(document));
}

TEST(RtfRoundTripTest, LinksSurviveAsHyperlinkFields)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("viz "), baseFormat());
    QTextCharFormat link = baseFormat();
    setCharLink(link, QStringLiteral("https://example.cz/cesta?a=1&b=\"2\""));
    link.setFontUnderline(true);
    cursor.insertText(QStringLiteral("odkaz"), link);
    cursor.insertText(QStringLiteral(" dál"), baseFormat());
    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(rtf.contains("HYPERLINK \"https://example.cz/cesta?a=1&b=%222%22\""));
    const auto back = readRtf(rtf);
    EXPECT_EQ(back->toPlainText(), QStringLiteral("viz odkaz dál"));
    EXPECT_EQ(charLink(formatAt(*back, 5)), QStringLiteral("https://example.cz/cesta?a=1&b=%222%22"));
    EXPECT_TRUE(formatAt(*back, 5).fontUnderline());
    EXPECT_FALSE(formatAt(*back, 10).isAnchor());
}

TEST(RtfRoundTripTest, ParagraphFormatsSurviveExactly)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("první"));
    QTextBlockFormat first;
    setBlockAlignment(first, PFA_CENTER);
    setBlockIndents(first, 360, -270);
    setBlockRightIndent(first, 135);
    setBlockSpaceBefore(first, 120);
    setBlockSpaceAfter(first, 240);
    setBlockLineSpacing(first, LineSpacingExactly, 600);
    cursor.setBlockFormat(first);
    const std::vector<std::pair<int, int>> spacings = {{LineSpacingSingle, 0},    {LineSpacingOneAndHalf, 0},
                                                       {LineSpacingDouble, 0},    {LineSpacingAtLeast, 300},
                                                       {LineSpacingMultiple, 50}, {LineSpacingExactly, 15}};
    for (const auto& [rule, value] : spacings) {
        QTextBlockFormat format;
        setBlockAlignment(format, PFA_JUSTIFY);
        setBlockIndents(format, 720, 360);
        setBlockLineSpacing(format, rule, value);
        cursor.insertBlock(format);
        cursor.insertText(QStringLiteral("odstavec %1").arg(rule));
    }

    const auto back = roundTrip(document);
    ASSERT_EQ(back->blockCount(), document.blockCount());
    for (int number = 0; number < document.blockCount(); ++number) {
        SCOPED_TRACE(number);
        const QTextBlockFormat want = blockFormatAt(document, number);
        const QTextBlockFormat got = blockFormatAt(*back, number);
        EXPECT_EQ(blockAlignment(got), blockAlignment(want));
        EXPECT_EQ(blockStartIndent(got), blockStartIndent(want));
        EXPECT_EQ(blockOffset(got), blockOffset(want));
        EXPECT_EQ(blockRightIndent(got), blockRightIndent(want));
        EXPECT_EQ(blockSpaceBefore(got), blockSpaceBefore(want));
        EXPECT_EQ(blockSpaceAfter(got), blockSpaceAfter(want));
        EXPECT_EQ(blockLineSpacingRule(got), blockLineSpacingRule(want));
        if (blockLineSpacingRule(want) >= LineSpacingAtLeast) {
            EXPECT_EQ(blockLineSpacing(got), blockLineSpacing(want));
        }
        EXPECT_DOUBLE_EQ(got.leftMargin(), want.leftMargin());
        EXPECT_DOUBLE_EQ(got.textIndent(), want.textIndent());
    }
}

TEST(RtfRoundTripTest, EmptyParagraphsAndTheLastEmptyParagraphSurvive)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("a\n\nb\n"));
    const auto back = roundTrip(document);
    EXPECT_EQ(back->blockCount(), 4);
    EXPECT_EQ(back->toPlainText(), QStringLiteral("a\n\nb\n"));
}

// A blank line in a letter is as high as the text around it, also read again.
TEST(RtfRoundTripTest, AnEmptyParagraphKeepsTheSizeOfItsMark)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat large;
    setCharSize(large, 280);
    cursor.insertText(QStringLiteral("a"), large);
    cursor.insertBlock(QTextBlockFormat(), large);
    cursor.insertBlock(QTextBlockFormat(), large);
    cursor.insertText(QStringLiteral("b"), large);
    const auto back = roundTrip(document);
    ASSERT_EQ(back->blockCount(), 3);
    EXPECT_EQ(charSize(back->findBlockByNumber(1).charFormat()), 280);
}

TEST(RtfRoundTripTest, CzechAndCharactersOutsideWindows1250)
{
    const QString text = QStringLiteral(
        "Příliš žluťoučký kůň úpěl ďábelské ódy. ĚŠČŘŽÝÁÍÉÚŮ € ✓ 日本 Ελλάδα Москва 😀 „citace“ – …");
    QTextDocument document;
    QTextCursor(&document).insertText(text, baseFormat());
    EXPECT_EQ(roundTrip(document)->toPlainText(), text);
}

TEST(RtfRoundTripTest, ListsKeepStyleStartAndLevel)
{
    const std::vector<std::pair<QTextListFormat::Style, int>> styles = {
        {QTextListFormat::ListDisc, PFN_BULLET},         {QTextListFormat::ListDecimal, PFN_ARABIC},
        {QTextListFormat::ListLowerAlpha, PFN_LCLETTER}, {QTextListFormat::ListUpperAlpha, PFN_UCLETTER},
        {QTextListFormat::ListLowerRoman, PFN_LCROMAN},  {QTextListFormat::ListUpperRoman, PFN_UCROMAN}};
    QTextDocument document;
    QTextCursor cursor(&document);
    bool first = true;
    for (const auto& [style, numbering] : styles) {
        for (int item = 0; item < 2; ++item) {
            if (!first)
                cursor.insertBlock(QTextBlockFormat());
            first = false;
            cursor.insertText(QStringLiteral("položka %1").arg(item));
            QTextBlockFormat format;
            setBlockIndents(format, 0, 360);
            format.setProperty(BlockNumbering, numbering);
            format.setProperty(BlockNumberingStart, 4);
            format.setProperty(BlockNumberingStyle, numbering == PFN_ARABIC ? 0x100 : 0x200);
            format.setProperty(BlockListLevel, numbering % 2); // one level per list, as Qt lists have
            cursor.setBlockFormat(format);
            if (item == 0) {
                QTextListFormat listFormat;
                listFormat.setStyle(style);
                cursor.createList(listFormat);
            } else {
                cursor.block().previous().textList()->add(cursor.block());
            }
        }
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(QStringLiteral("mezi"));
    }

    const auto back = roundTrip(document);
    expectSameListItems(*back, document,
                        {BlockNumbering, BlockNumberingStart, BlockNumberingStyle, BlockListLevel});
}

TEST(RtfRoundTripTest, TablesKeepTheirCells)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("před"));
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                      QTextLength(QTextLength::FixedLength, 60),
                                      QTextLength(QTextLength::FixedLength, 80)});
    QTextTable* table = cursor.insertTable(2, 3, format);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            table->cellAt(row, column)
                .firstCursorPosition()
                .insertText(QStringLiteral("b%1%2").arg(row).arg(column));
    table->cellAt(1, 2).lastCursorPosition().insertText(QStringLiteral("\ndruhý řádek"));
    QTextCursor after(&document);
    after.movePosition(QTextCursor::End);
    after.insertText(QStringLiteral("po"));

    const auto back = roundTrip(document);
    EXPECT_EQ(back->toPlainText(), document.toPlainText());
    QTextTable* read = qobject_cast<QTextTable*>(back->rootFrame()->childFrames().value(0));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->rows(), 2);
    EXPECT_EQ(read->columns(), 3);
    const QList<QTextLength> widths = read->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 3);
    EXPECT_DOUBLE_EQ(widths.at(1).rawValue(), 60.0);
    EXPECT_EQ(read->cellAt(1, 2).firstCursorPosition().block().text(), QStringLiteral("b12"));
}

TEST(RtfRoundTripTest, PicturesKeepTheirImageSizeAndFormat)
{
    QTextDocument document;
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    image.setPixel(1, 2, qRgb(255, 0, 0));
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture")), image);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("obrázek "));
    QTextImageFormat format;
    format.setName(QStringLiteral("picture"));
    format.setWidth(50);
    format.setHeight(40);
    cursor.insertImage(format);
    cursor.insertText(QStringLiteral(" konec"));

    const QByteArray first = writeRtf(document);
    const auto back = readRtf(first);
    EXPECT_EQ(back->toPlainText(), document.toPlainText());
    const QTextCharFormat read = formatAt(*back, 8);
    ASSERT_TRUE(read.isImageFormat());
    const QTextImageFormat readImage = read.toImageFormat();
    EXPECT_DOUBLE_EQ(readImage.width(), 50.0);
    EXPECT_DOUBLE_EQ(readImage.height(), 40.0);
    const QImage shown = back->resource(QTextDocument::ImageResource, QUrl(readImage.name()))
                             .value<QImage>()
                             .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, image);
    EXPECT_EQ(readImage.stringProperty(ObjectPictureKind), QStringLiteral("png"));
    // Written again, the PNG bytes are the same ones.
    EXPECT_EQ(writeRtf(*back), first);
}
