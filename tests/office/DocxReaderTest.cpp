// The Word document reader on small packages made here: the formats of runs and paragraphs,
// styles and their bases, lists, breaks, fields and links, and the input it must refuse.

#include "tests/office/ReaderFixture.h"
#include "tests/office/ZipParts.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "office/DocxReader.h"
#include "rtf/ListLabels.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

const QByteArray Relationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering\" "
    "Target=\"numbering.xml\"/>"
    "<Relationship Id=\"rId9\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
    "Target=\"https://example.cz/\" TargetMode=\"External\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme\" "
    "Target=\"theme/theme1.xml\"/>"
    "<Relationship Id=\"rId7\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
    "Target=\"media/obrazek.png\"/></Relationships>";

QByteArray wrapped(const char* root, const QByteArray& content)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:" + QByteArray(root) +
           " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
           " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
           content + "</w:" + root + ">";
}

const QByteArray Theme = "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
                         "<a:themeElements><a:fontScheme><a:majorFont><a:latin typeface=\"Liberation Sans\"/>"
                         "</a:majorFont><a:minorFont><a:latin typeface=\"DejaVu Serif\"/></a:minorFont>"
                         "</a:fontScheme></a:themeElements></a:theme>";

QByteArray package(const QByteArray& body, const QByteArray& styles = {}, const QByteArray& numbering = {})
{
    return zipParts(
        {{QStringLiteral("word/document.xml"), wrapped("document", "<w:body>" + body + "</w:body>")},
         {QStringLiteral("word/theme/theme1.xml"), Theme},
         {QStringLiteral("word/styles.xml"), wrapped("styles", styles)},
         {QStringLiteral("word/numbering.xml"), wrapped("numbering", numbering)},
         {QStringLiteral("word/_rels/document.xml.rels"), Relationships}});
}

using DocxReaderTest = ReaderFixture<DocxReader>;

TEST_F(DocxReaderTest, RunsAndParagraphsKeepTheirFormats)
{
    read(package(
        "<w:p><w:pPr><w:jc w:val=\"center\"/><w:ind w:left=\"1440\" w:right=\"720\" w:hanging=\"360\"/>"
        "<w:spacing w:before=\"120\" w:after=\"240\" w:line=\"360\" w:lineRule=\"auto\"/></w:pPr>"
        "<w:r><w:rPr><w:b/><w:i/><w:u w:val=\"single\"/><w:strike/><w:color w:val=\"C00000\"/>"
        "<w:highlight w:val=\"yellow\"/><w:sz w:val=\"28\"/><w:rFonts w:ascii=\"Liberation Sans\"/></w:rPr>"
        "<w:t>Tučný</w:t></w:r>"
        "<w:r><w:rPr><w:vertAlign w:val=\"subscript\"/></w:rPr><w:t>2</w:t></w:r>"
        "<w:r><w:rPr><w:vertAlign w:val=\"superscript\"/><w:shd "
        "w:fill=\"00FF00\"/></w:rPr><w:t>3</w:t></w:r></w:p>"
        "<w:p><w:pPr><w:jc w:val=\"both\"/><w:spacing w:line=\"300\" w:lineRule=\"exact\"/>"
        "<w:ind w:firstLine=\"567\"/></w:pPr><w:r><w:t>Druhý</w:t></w:r></w:p>"
        "<w:p><w:pPr><w:jc w:val=\"right\"/><w:spacing w:line=\"280\" w:lineRule=\"atLeast\"/></w:pPr>"
        "<w:r><w:t>Třetí</w:t></w:r></w:p>"));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Tučný23\nDruhý\nTřetí"));

    const QTextCharFormat bold = charAt(0);
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_TRUE(bold.fontItalic() && bold.fontUnderline() && bold.fontStrikeOut());
    EXPECT_EQ(bold.foreground().color(), QColor(0xC0, 0, 0));
    EXPECT_EQ(bold.background().color(), QColor(255, 255, 0));
    EXPECT_EQ(charSize(bold), 280);
    EXPECT_EQ(bold.fontFamilies().toStringList(), QStringList{"Liberation Sans"});
    const QTextCharFormat subscript = charAt(5);
    EXPECT_EQ(subscript.verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_NE(subscript.fontWeight(), QFont::Bold);
    EXPECT_EQ(charSize(subscript), 200) << "Word's size without a style is 10 points";
    EXPECT_TRUE(charAutoColor(subscript) && charAutoBackColor(subscript));
    EXPECT_EQ(charAt(6).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(charAt(6).background().color(), QColor(0, 255, 0));

    const QTextBlockFormat first = blockFormat(0);
    EXPECT_EQ(blockAlignment(first), PFA_CENTER);
    EXPECT_EQ(blockStartIndent(first), 1080) << "the first line hangs 360 twips left of 1440";
    EXPECT_EQ(blockOffset(first), 360);
    EXPECT_EQ(blockRightIndent(first), 720);
    EXPECT_EQ(blockSpaceBefore(first), 120);
    EXPECT_EQ(blockSpaceAfter(first), 240);
    EXPECT_EQ(blockLineSpacingRule(first), LineSpacingOneAndHalf);
    const QTextBlockFormat second = blockFormat(1);
    EXPECT_EQ(blockAlignment(second), PFA_JUSTIFY);
    EXPECT_EQ(blockStartIndent(second), 567);
    EXPECT_EQ(blockOffset(second), -567);
    EXPECT_EQ(blockLineSpacingRule(second), LineSpacingExactly);
    EXPECT_EQ(blockLineSpacing(second), 300);
    EXPECT_EQ(blockAlignment(blockFormat(2)), PFA_RIGHT);
    EXPECT_EQ(blockLineSpacingRule(blockFormat(2)), LineSpacingAtLeast);
    EXPECT_EQ(blockLineSpacing(blockFormat(2)), 280);
}

TEST_F(DocxReaderTest, StylesStandOnDefaultsAndBasesAndTheTextsOwnFormatComesLast)
{
    const QByteArray styles =
        "<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"22\"/><w:rFonts w:ascii=\"Liberation Serif\"/>"
        "</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after=\"160\"/></w:pPr></w:pPrDefault>"
        "</w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:pPr><w:jc "
        "w:val=\"both\"/></w:pPr>"
        "</w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Nadpis\"><w:basedOn w:val=\"Normal\"/>"
        "<w:pPr><w:jc w:val=\"center\"/><w:spacing w:before=\"240\"/></w:pPr><w:rPr><w:b/><w:sz "
        "w:val=\"32\"/><w:rFonts w:asciiTheme=\"majorHAnsi\"/></w:rPr>"
        "</w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Podnadpis\"><w:basedOn w:val=\"Nadpis\"/>"
        "<w:rPr><w:i/></w:rPr></w:style>"
        "<w:style w:type=\"character\" w:styleId=\"Zaklad\"><w:rPr><w:u w:val=\"single\"/></w:rPr></w:style>"
        "<w:style w:type=\"character\" w:styleId=\"Cervene\"><w:basedOn w:val=\"Zaklad\"/>"
        "<w:rPr><w:color w:val=\"FF0000\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"A\"><w:basedOn "
        "w:val=\"B\"/><w:rPr><w:i/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"B\"><w:basedOn "
        "w:val=\"A\"/><w:rPr><w:b/></w:rPr></w:style>";
    read(package(
        "<w:p><w:r><w:t>obyč</w:t></w:r></w:p>"
        "<w:p><w:pPr><w:pStyle w:val=\"Podnadpis\"/></w:pPr><w:r><w:t>nad</w:t></w:r>"
        "<w:r><w:rPr><w:rStyle w:val=\"Cervene\"/><w:b w:val=\"0\"/></w:rPr><w:t>pis</w:t></w:r></w:p>"
        "<w:p><w:pPr><w:pStyle w:val=\"A\"/><w:jc w:val=\"right\"/></w:pPr><w:r><w:t>kruh</w:t></w:r></w:p>",
        styles));
    ASSERT_EQ(document.toPlainText(), QStringLiteral("obyč\nnadpis\nkruh"));
    EXPECT_EQ(blockAlignment(blockFormat(0)), PFA_JUSTIFY) << "the default paragraph style";
    EXPECT_EQ(blockSpaceAfter(blockFormat(0)), 160);
    EXPECT_EQ(charSize(charAt(0)), 220);
    EXPECT_EQ(charAt(0).fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    EXPECT_NE(charAt(0).fontWeight(), QFont::Bold);

    EXPECT_EQ(blockAlignment(blockFormat(1)), PFA_CENTER) << "from the base's base";
    EXPECT_EQ(blockSpaceBefore(blockFormat(1)), 240);
    EXPECT_EQ(blockSpaceAfter(blockFormat(1)), 160);
    const QTextCharFormat heading = charAt(5);
    EXPECT_TRUE(heading.fontWeight() == QFont::Bold && heading.fontItalic());
    EXPECT_EQ(charSize(heading), 320);
    EXPECT_EQ(heading.fontFamilies().toStringList(), QStringList{"Liberation Sans"})
        << "the theme's major font";
    const QTextCharFormat styled = charAt(8);
    EXPECT_EQ(styled.foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(styled.fontUnderline()) << "from the character style's base";
    EXPECT_NE(styled.fontWeight(), QFont::Bold) << "the run's own format comes last";
    EXPECT_TRUE(styled.fontItalic());

    // Styles based on each other in a ring are read once round.
    EXPECT_EQ(blockAlignment(blockFormat(2)), PFA_RIGHT);
    EXPECT_TRUE(charAt(12).fontItalic() && charAt(12).fontWeight() == QFont::Bold);
}

TEST_F(DocxReaderTest, ListsTakeKindLevelStartAndOverrides)
{
    const auto lvl = [](int index, int start, const char* format, const char* text, int left,
                        const QByteArray& more = {}) {
        return "<w:lvl w:ilvl=\"" + QByteArray::number(index) + "\"><w:start w:val=\"" +
               QByteArray::number(start) + "\"/><w:numFmt w:val=\"" + format + "\"/>" + more +
               "<w:lvlText w:val=\"" + text + "\"/><w:pPr><w:ind w:left=\"" + QByteArray::number(left) +
               "\" w:hanging=\"360\"/></w:pPr></w:lvl>";
    };
    const QByteArray numbering =
        "<w:abstractNum w:abstractNumId=\"0\">" + lvl(0, 1, "decimal", "%1.", 720) +
        lvl(1, 1, "lowerLetter", "%1.%2)", 1440) + lvl(2, 1, "bullet", "\xEF\x82\xB7", 2160) +
        "</w:abstractNum><w:abstractNum w:abstractNumId=\"1\">" + lvl(0, 4, "upperRoman", "%1)", 720) +
        lvl(1, 1, "lowerLetter", "%1.%2", 1440, "<w:isLgl/>") +
        "</w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"0\"/><w:lvlOverride w:ilvl=\"0\">"
        "<w:startOverride w:val=\"5\"/></w:lvlOverride></w:num>"
        "<w:num w:numId=\"3\"><w:abstractNumId w:val=\"1\"/></w:num>";
    const auto item = [](int id, int level, const char* text) {
        return "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"" + QByteArray::number(level) + "\"/><w:numId w:val=\"" +
               QByteArray::number(id) + "\"/></w:numPr></w:pPr><w:r><w:t>" + text + "</w:t></w:r></w:p>";
    };
    read(package(item(1, 0, "A") + item(1, 1, "AA") + item(1, 1, "AB") + item(1, 2, "tečka") +
                     item(1, 0, "B") + item(1, 1, "BA") + item(2, 0, "C") + item(3, 0, "D") +
                     item(3, 1, "DA") +
                     "<w:p><w:r><w:t>mezi</w:t></w:r></w:p><w:p><w:pPr><w:numPr><w:numId "
                     "w:val=\"1\"/></w:numPr><w:ind w:left=\"0\"/></w:pPr>"
                     "<w:r><w:t>vlastní</w:t></w:r></w:p><w:p><w:r><w:t>konec</w:t></w:r></w:p>",
                 {}, numbering));
    ListLabels labels;
    QStringList shown;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        shown << labels.labelOf(block) + u' ' + block.text();
    EXPECT_EQ(shown, (QStringList{"1. A", "1.a) AA", "1.b) AB", QStringLiteral("\u25AA tečka"), "2. B",
                                  "2.a) BA", "5. C", "IV) D", "4.1 DA", " mezi", "3. vlastní", " konec"}));
    EXPECT_EQ(blockStartIndent(blockFormat(1)), 1080) << "the level's indents";
    EXPECT_EQ(blockOffset(blockFormat(1)), 360);
    EXPECT_EQ(intProperty(blockFormat(1), BlockListLevel, -1), 1);
    // A list goes on after other lists and paragraphs, and a paragraph's own indent wins over its level's.
    EXPECT_EQ(blockStartIndent(blockFormat(10)), -360);
}

TEST_F(DocxReaderTest, BreaksFieldsAndLinks)
{
    read(package(
        "<w:p><w:r><w:t>Před</w:t><w:tab/><w:t>po</w:t><w:br/><w:t>řádek</w:t><w:br w:type=\"page\"/>"
        "<w:t>stránka</w:t></w:r></w:p>"
        "<w:p><w:r><w:br w:type=\"page\"/><w:t>Nová</w:t></w:r>"
        "<w:del><w:r><w:delText>smazáno</w:delText></w:r></w:del></w:p>"
        "<w:p><w:hyperlink r:id=\"rId9\"><w:r><w:t>odkaz</w:t></w:r></w:hyperlink>"
        "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText xml:space=\"preserve\"> HYPERLINK "
        "\"https://pole.cz/\" </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
        "<w:r><w:t>pole</w:t></w:r><w:r><w:fldChar "
        "w:fldCharType=\"end\"/></w:r><w:r><w:t>konec</w:t></w:r></w:p>"));
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << block.text();
    EXPECT_EQ(blocks, (QStringList{QStringLiteral("Před\tpo\u2028řádek"), QStringLiteral("stránka"),
                                   QStringLiteral("Nová"), QStringLiteral("odkazpolekonec")}));
    EXPECT_NE(blockFormat(0).pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(blockFormat(1).pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore)
        << "text after a page break goes on on the next page";
    EXPECT_EQ(blockFormat(2).pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    const int links = document.findBlockByNumber(3).position();
    EXPECT_EQ(charLink(charAt(links)), QStringLiteral("https://example.cz/"));
    EXPECT_EQ(charLink(charAt(links + 5)), QStringLiteral("https://pole.cz/"));
    EXPECT_TRUE(charLink(charAt(links + 9)).isEmpty());
}

TEST_F(DocxReaderTest, TablesMergeCellsAcrossAndDown)
{
    const auto cell = [](const char* properties, const char* text) {
        return "<w:tc><w:tcPr>" + QByteArray(properties) + "</w:tcPr><w:p><w:r><w:t>" + text +
               "</w:t></w:r></w:p></w:tc>";
    };
    read(package("<w:p><w:r><w:t>před</w:t></w:r></w:p><w:tbl><w:tblGrid><w:gridCol w:w=\"1500\"/>"
                 "<w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"1500\"/></w:tblGrid><w:tr>" +
                 cell("<w:gridSpan w:val=\"2\"/>", "AB") + cell("<w:vMerge w:val=\"restart\"/>", "C") +
                 "</w:tr><w:tr>" + cell("", "D") + cell("", "E") + cell("<w:vMerge/>", "") +
                 "</w:tr></w:tbl><w:p><w:r><w:t>po</w:t></w:r></w:p>"));
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::NextBlock);
    const QTextTable* table = cursor.currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(table->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(table->cellAt(0, 2).rowSpan(), 2);
    const auto text = [&](int row, int column) {
        QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
        cell.setPosition(table->cellAt(row, column).lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cell.selectedText();
    };
    EXPECT_EQ(QStringList({text(0, 0), text(0, 2), text(1, 0), text(1, 1)}),
              QStringList({"AB", "C", "D", "E"}));
    EXPECT_EQ(table->format().columnWidthConstraints().at(1).rawValue(), 200) << "3000 twips";
    EXPECT_EQ(document.firstBlock().text(), QStringLiteral("před"));
    EXPECT_EQ(document.lastBlock().text(), QStringLiteral("po"));
}

// Word's "Table Grid" takes the defaults' spacing after away from its cells; a paragraph style
// of the cell's own still comes above the table style, and text after the table is as before.
TEST_F(DocxReaderTest, TableStylesStandBetweenTheDefaultsAndTheParagraphStyle)
{
    const QByteArray styles =
        "<w:docDefaults><w:pPrDefault><w:pPr><w:spacing w:after=\"160\" w:line=\"259\" "
        "w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"/>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Vzdusny\"><w:pPr><w:spacing w:after=\"300\"/></w:pPr>"
        "</w:style>"
        "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:rPr><w:i/></w:rPr></w:style>"
        "<w:style w:type=\"table\" w:styleId=\"TableGrid\"><w:basedOn w:val=\"TableNormal\"/>"
        "<w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr><w:rPr><w:b/></w:rPr>"
        "</w:style>";
    const auto table = [](const QByteArray& properties, const QByteArray& paragraphs) {
        return "<w:tbl>" + properties + "<w:tblGrid><w:gridCol w:w=\"3000\"/></w:tblGrid><w:tr><w:tc>" +
               paragraphs + "</w:tc></w:tr></w:tbl>";
    };
    read(package(table("<w:tblPr><w:tblStyle w:val=\"TableGrid\"/></w:tblPr>",
                       "<w:p><w:r><w:t>mřížka</w:t></w:r></w:p>"
                       "<w:p><w:pPr><w:pStyle w:val=\"Vzdusny\"/></w:pPr><w:r><w:t>styl</w:t></w:r></w:p>") +
                     "<w:p><w:r><w:t>mezi</w:t></w:r></w:p>" +
                     table({}, "<w:p><w:r><w:t>výchozí</w:t></w:r></w:p>") +
                     "<w:p><w:r><w:t>konec</w:t></w:r></w:p>",
                 styles));
    const auto block = [&](const QString& text) {
        const QTextBlock found = document.find(text).block();
        return std::pair(found.blockFormat(), QTextCursor(found).charFormat());
    };
    const auto [grid, gridRun] = block(QStringLiteral("mřížka"));
    EXPECT_EQ(blockSpaceAfter(grid), 0);
    EXPECT_EQ(blockLineSpacingRule(grid), LineSpacingSingle);
    EXPECT_TRUE(gridRun.fontWeight() == QFont::Bold && gridRun.fontItalic())
        << "from the table style and its base";
    EXPECT_EQ(blockSpaceAfter(block(QStringLiteral("styl")).first), 300) << "the paragraph style comes above";
    const auto [between, betweenRun] = block(QStringLiteral("mezi"));
    EXPECT_EQ(blockSpaceAfter(between), 160);
    EXPECT_FALSE(betweenRun.fontItalic());
    const auto [plain, plainRun] = block(QStringLiteral("výchozí"));
    EXPECT_EQ(blockSpaceAfter(plain), 160);
    EXPECT_TRUE(plainRun.fontItalic() && plainRun.fontWeight() != QFont::Bold) << "the default table style";
    EXPECT_FALSE(block(QStringLiteral("konec")).second.fontItalic());
}

// Containers within containers are read as deep as documents nest them; deeper ones are left
// out instead of exhausting the stack.
TEST_F(DocxReaderTest, DeepNestingEndsInsteadOfExhaustingTheStack)
{
    constexpr int Depth = 200000;
    read(package("<w:p><w:r><w:t>mělko</w:t></w:r></w:p>" + QByteArray("<w:sdt>").repeated(Depth) +
                 "<w:p><w:r><w:t>hloubka</w:t></w:r></w:p>" + QByteArray("</w:sdt>").repeated(Depth) +
                 "<w:p>" + QByteArray("<w:ins>").repeated(Depth) + "<w:r><w:t>uvnitř</w:t></w:r>" +
                 QByteArray("</w:ins>").repeated(Depth) + "<w:r><w:t>konec</w:t></w:r></w:p>"));
    EXPECT_TRUE(document.toPlainText().startsWith(QStringLiteral("mělko\n")));
    EXPECT_TRUE(document.toPlainText().endsWith(QStringLiteral("konec")));
}

// What the reader must refuse; a bomb inflates past the cap of its part or of the archive.
TEST(DocxReaderRefusalTest, DamagedOrHostileInputFailsTheRead)
{
    const QByteArray good = package("<w:p><w:r><w:t>text</w:t></w:r></w:p>");
    // Well formed, so that only the caps stop them.
    const QByteArray spaces(4 << 20, ' ');
    const QByteArray bombDocument = wrapped("document", "<w:body>" + spaces + "</w:body>");
    QByteArray flipped = good;
    flipped[good.indexOf("document.xml") + 40] = char(flipped[good.indexOf("document.xml") + 40] ^ 0x55);
    const std::vector<RefusedPackage> cases = {
        {"not an archive", "{\\rtf1 text}"},
        {"truncated", good.left(good.size() - 30)},
        {"damaged data", flipped},
        {"no document part", zipParts({{QStringLiteral("word/styles.xml"), wrapped("styles", {})}})},
        {"not well formed", package("<w:p><w:r><w:t>text</w:r></w:p>")},
        {"entity declaration",
         zipParts({{QStringLiteral("word/document.xml"),
                    wrapped("document", "<w:body><w:p><w:r><w:t>&b;</w:t></w:r></w:p></w:body>")
                        .replace("?><w:", "?><!DOCTYPE w:document [<!ENTITY a \"aaaaaaaaaa\">"
                                          "<!ENTITY b \"&a;&a;&a;&a;&a;\">]><w:")}})},
        {"bomb part", zipParts({{QStringLiteral("word/document.xml"), bombDocument}})},
        {"bomb styles", package({}, spaces)},
        {"bomb picture",
         zipParts(
             {{QStringLiteral("word/document.xml"),
               wrapped("document", "<w:body><w:p><w:r><w:drawing><blip r:embed=\"rId7\"/></w:drawing></w:r>"
                                   "</w:p></w:body>")},
              {QStringLiteral("word/media/obrazek.png"), "\x89PNG" + spaces},
              {QStringLiteral("word/styles.xml"), wrapped("styles", {})},
              {QStringLiteral("word/numbering.xml"), wrapped("numbering", {})},
              {QStringLiteral("word/theme/theme1.xml"), Theme},
              {QStringLiteral("word/_rels/document.xml.rels"), Relationships}})},
    };
    ASSERT_TRUE(DocxReader().read(good, *std::make_unique<QTextDocument>()));
    expectRefused<DocxReader>(cases);
}

} // namespace
