// The OpenDocument text reader on small packages made here: the formats of spans and
// paragraphs, styles over their parents and defaults, lists, tables, breaks, pictures and
// links, and the input it must refuse.

#include "tests/office/ReaderFixture.h"
#include "tests/office/ZipParts.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "office/OdtReader.h"
#include "rtf/ListLabels.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

const QByteArray Namespaces = " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                              " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
                              " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
                              " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
                              " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\""
                              " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
                              " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
                              " xmlns:xlink=\"http://www.w3.org/1999/xlink\"";

QByteArray contentXml(const QByteArray& text, const QByteArray& automaticStyles)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content" + Namespaces +
           "><office:automatic-styles>" + automaticStyles +
           "</office:automatic-styles><office:body><office:text>" + text +
           "</office:text></office:body></office:document-content>";
}

QByteArray stylesXml(const QByteArray& styles)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-styles" + Namespaces +
           "><office:font-face-decls><style:font-face style:name=\"Sans1\" svg:font-family=\"'Liberation "
           "Sans'\"/></office:font-face-decls><office:styles>" +
           styles + "</office:styles></office:document-styles>";
}

QByteArray package(const QByteArray& text, const QByteArray& automaticStyles = {},
                   const QByteArray& styles = {}, const QList<std::pair<QString, QByteArray>>& more = {})
{
    return zipParts(QList<std::pair<QString, QByteArray>>{
                        {QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text"},
                        {QStringLiteral("content.xml"), contentXml(text, automaticStyles)},
                        {QStringLiteral("styles.xml"), stylesXml(styles)}} +
                    more);
}

class OdtReaderTest : public ReaderFixture<OdtReader>
{
protected:
    QString labelOf(int block)
    {
        ListLabels labels;
        return labels.labelOf(document.findBlockByNumber(block));
    }
};

TEST_F(OdtReaderTest, SpansParagraphsAndWhiteSpaceKeepTheirFormats)
{
    read(package(
        "<text:p text:style-name=\"P1\">  Tučný\n   <text:span text:style-name=\"T1\">tučně</text:span>"
        "<text:span text:style-name=\"T2\">2</text:span><text:span text:style-name=\"T3\">3</text:span>"
        "<text:s text:c=\"2\"/>a<text:tab/>b<text:line-break/><text:a xlink:href=\"https://example.cz/\">"
        "odkaz</text:a></text:p>"
        "<text:p text:style-name=\"P2\">Druhý</text:p><text:h text:style-name=\"P3\">Třetí</text:h>",
        "<style:style style:name=\"P1\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:text-align=\"center\" fo:margin-left=\"1in\" fo:margin-right=\"0.5in\" "
        "fo:text-indent=\"-0.25in\" "
        "fo:margin-top=\"6pt\" fo:margin-bottom=\"12pt\" fo:line-height=\"150%\"/></style:style>"
        "<style:style style:name=\"P2\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:text-align=\"justify\" fo:line-height=\"15pt\" fo:text-indent=\"1cm\"/></style:style>"
        "<style:style style:name=\"P3\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:text-align=\"end\" style:line-height-at-least=\"14pt\"/></style:style>"
        "<style:style style:name=\"T1\" style:family=\"text\"><style:text-properties fo:font-weight=\"bold\" "
        "fo:font-style=\"italic\" style:text-underline-style=\"solid\" "
        "style:text-line-through-style=\"solid\" "
        "fo:color=\"#c00000\" fo:background-color=\"#ffff00\" fo:font-size=\"14pt\" "
        "style:font-name=\"Sans1\"/></style:style>"
        "<style:style style:name=\"T2\" style:family=\"text\"><style:text-properties "
        "style:text-position=\"sub 58%\"/></style:style>"
        "<style:style style:name=\"T3\" style:family=\"text\"><style:text-properties "
        "style:text-position=\"33% 58%\" fo:background-color=\"#00ff00\"/></style:style>"));
    EXPECT_EQ(document.firstBlock().text(), QStringLiteral("Tučný tučně23  a\tb\u2028odkaz"))
        << "white space runs are one space, none at the start of a paragraph";
    EXPECT_EQ(document.toPlainText().section(u'\n', 2), QStringLiteral("Druhý\nTřetí"));

    const QTextCharFormat bold = charAt(6);
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_TRUE(bold.fontItalic() && bold.fontUnderline() && bold.fontStrikeOut());
    EXPECT_EQ(bold.foreground().color(), QColor(0xC0, 0, 0));
    EXPECT_EQ(bold.background().color(), QColor(255, 255, 0));
    EXPECT_EQ(charSize(bold), 280);
    EXPECT_EQ(bold.fontFamilies().toStringList(), QStringList{"Liberation Sans"}) << "the font face's family";
    const QTextCharFormat plain = charAt(0);
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
    EXPECT_EQ(charSize(plain), 240) << "12 points where no style gives a size";
    EXPECT_TRUE(charAutoColor(plain) && charAutoBackColor(plain));
    EXPECT_EQ(charAt(11).verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(charAt(12).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(charAt(12).background().color(), QColor(0, 255, 0));
    EXPECT_EQ(charLink(charAt(20)), QStringLiteral("https://example.cz/"));
    EXPECT_TRUE(charLink(charAt(18)).isEmpty());

    const QTextBlockFormat first = blockFormat(0);
    EXPECT_EQ(blockAlignment(first), PFA_CENTER);
    EXPECT_EQ(blockStartIndent(first), 1080) << "the first line hangs a quarter inch left of an inch";
    EXPECT_EQ(blockOffset(first), 360);
    EXPECT_EQ(blockRightIndent(first), 720);
    EXPECT_EQ(blockSpaceBefore(first), 120);
    EXPECT_EQ(blockSpaceAfter(first), 240);
    EXPECT_EQ(blockLineSpacingRule(first), LineSpacingOneAndHalf);
    const QTextBlockFormat second = blockFormat(1);
    EXPECT_EQ(blockAlignment(second), PFA_JUSTIFY);
    EXPECT_EQ(blockStartIndent(second), 567);
    EXPECT_EQ(blockLineSpacingRule(second), LineSpacingExactly);
    EXPECT_EQ(blockLineSpacing(second), 300);
    EXPECT_EQ(blockAlignment(blockFormat(2)), PFA_RIGHT);
    EXPECT_EQ(blockLineSpacingRule(blockFormat(2)), LineSpacingAtLeast);
    EXPECT_EQ(blockLineSpacing(blockFormat(2)), 280);
}

TEST_F(OdtReaderTest, StylesStandOnTheDefaultAndTheirParentsAndTheSpanComesLast)
{
    read(package(
        "<text:p text:style-name=\"P1\">odstavec<text:span text:style-name=\"T1\">úsek</text:span></text:p>"
        "<text:p text:style-name=\"Zaklad\">základ</text:p><text:p>bez stylu</text:p>",
        "<style:style style:name=\"P1\" style:family=\"paragraph\" style:parent-style-name=\"Odvozeny\">"
        "<style:paragraph-properties fo:margin-left=\"2cm\"/><style:text-properties "
        "fo:color=\"#0000ff\"/></style:style>"
        "<style:style style:name=\"T1\" style:family=\"text\" style:parent-style-name=\"Silne\">"
        "<style:text-properties fo:font-size=\"200%\" text:display=\"none\"/></style:style>",
        "<style:default-style style:family=\"paragraph\"><style:paragraph-properties "
        "fo:margin-bottom=\"0.1in\"/><style:text-properties fo:font-size=\"11pt\" "
        "style:font-name=\"Sans1\" fo:language=\"en\" fo:country=\"US\"/></style:default-style>"
        "<style:style style:name=\"Zaklad\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:text-align=\"justify\" fo:margin-left=\"1cm\"/><style:text-properties fo:font-weight=\"bold\" "
        "fo:language=\"cs\" fo:country=\"CZ\"/>"
        "</style:style>"
        "<style:style style:name=\"Odvozeny\" style:family=\"paragraph\" "
        "style:parent-style-name=\"Zaklad\"><style:text-properties fo:font-style=\"italic\"/></style:style>"
        "<style:style style:name=\"Silne\" style:family=\"text\"><style:text-properties "
        "fo:font-weight=\"normal\" style:text-underline-style=\"solid\"/></style:style>"));
    const QTextCharFormat paragraph = charAt(0);
    EXPECT_EQ(charSize(paragraph), 220) << "the default style";
    EXPECT_EQ(paragraph.fontFamilies().toStringList(), QStringList{"Liberation Sans"});
    EXPECT_EQ(paragraph.fontWeight(), QFont::Bold) << "the parent's parent";
    EXPECT_TRUE(paragraph.fontItalic()) << "the parent";
    EXPECT_EQ(paragraph.foreground().color(), QColor(0, 0, 255)) << "the automatic style";
    EXPECT_EQ(charLanguage(paragraph), 0) << "Czech, the default language, over the default style's English";
    EXPECT_FALSE(paragraph.boolProperty(CharHidden));
    const QTextCharFormat span = charAt(8);
    EXPECT_EQ(charSize(span), 440) << "twice the paragraph's size";
    EXPECT_NE(span.fontWeight(), QFont::Bold) << "the span's style's parent";
    EXPECT_TRUE(span.fontUnderline() && span.fontItalic());
    EXPECT_EQ(span.foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(span.boolProperty(CharHidden));

    EXPECT_EQ(blockAlignment(blockFormat(0)), PFA_JUSTIFY);
    EXPECT_EQ(blockStartIndent(blockFormat(0)), 1134) << "the automatic style's indent over the parent's";
    EXPECT_EQ(blockSpaceAfter(blockFormat(0)), 144);
    EXPECT_EQ(blockStartIndent(blockFormat(1)), 567);
    EXPECT_EQ(blockAlignment(blockFormat(2)), PFA_LEFT);
    EXPECT_EQ(blockSpaceAfter(blockFormat(2)), 144);
    EXPECT_EQ(charSize(charAt(document.findBlockByNumber(2).position())), 220);
    EXPECT_EQ(charLanguage(charAt(document.findBlockByNumber(2).position())), 1033);
}

TEST_F(OdtReaderTest, ListsTakeKindLevelStartAndContinuation)
{
    const QByteArray listStyle =
        "<text:list-style style:name=\"L1\">"
        "<text:list-level-style-number text:level=\"1\" style:num-format=\"1\" style:num-suffix=\".\" "
        "text:start-value=\"3\"><style:list-level-properties "
        "text:list-level-position-and-space-mode=\"label-alignment\"><style:list-level-label-alignment "
        "fo:margin-left=\"0.5in\" fo:text-indent=\"-0.25in\"/></style:list-level-properties>"
        "</text:list-level-style-number>"
        "<text:list-level-style-number text:level=\"2\" style:num-format=\"a\" style:num-prefix=\"(\" "
        "style:num-suffix=\")\"/>"
        "<text:list-level-style-number text:level=\"3\" style:num-format=\"I\" text:display-levels=\"3\" "
        "style:num-suffix=\".\"/>"
        "</text:list-style>"
        "<text:list-style style:name=\"L2\"><text:list-level-style-bullet text:level=\"1\" "
        "text:bullet-char=\"•\"/></text:list-style>";
    read(package(
        "<text:list text:style-name=\"L1\" xml:id=\"seznam\">"
        "<text:list-item><text:p>jedna</text:p><text:p>pokračování</text:p></text:list-item>"
        "<text:list-item><text:p>dvě</text:p><text:list><text:list-item><text:p>vnořená</text:p>"
        "<text:list><text:list-item><text:p>hluboko</text:p></text:list-item></text:list>"
        "</text:list-item><text:list-item><text:p>druhá</text:p></text:list-item></text:list>"
        "</text:list-item></text:list>"
        "<text:p>mezi</text:p>"
        "<text:list text:continue-list=\"seznam\"><text:list-item><text:p>dál</text:p></text:list-item>"
        "<text:list-item text:start-value=\"10\"><text:p>deset</text:p></text:list-item>"
        "<text:list-item><text:p>jedenáct</text:p></text:list-item></text:list>"
        "<text:list text:style-name=\"L1\"><text:list-item><text:p>znovu</text:p></text:list-item>"
        "</text:list>"
        "<text:list text:style-name=\"L2\"><text:list-item><text:p>odrážka</text:p></text:list-item>"
        "</text:list>",
        listStyle));
    const QStringList labels{"3.", "", "4.", "(a)", "4.a.I.", "(b)", "", "5.", "10.", "11.", "3.", "\u2022"};
    ASSERT_EQ(document.blockCount(), labels.size());
    for (int block = 0; block < labels.size(); ++block)
        EXPECT_EQ(labelOf(block), labels.at(block)) << document.findBlockByNumber(block).text().toStdString();
    EXPECT_EQ(intProperty(blockFormat(4), BlockListLevel, -1), 2);
    EXPECT_EQ(intProperty(blockFormat(0), BlockNumbering, 0), PFN_ARABIC);
    EXPECT_EQ(intProperty(blockFormat(3), BlockNumbering, 0), PFN_LCLETTER);
    EXPECT_EQ(intProperty(blockFormat(4), BlockNumbering, 0), PFN_UCROMAN);
    EXPECT_EQ(intProperty(blockFormat(11), BlockNumbering, 0), PFN_BULLET);
    EXPECT_EQ(blockStartIndent(blockFormat(0)), 360) << "the level's label stands a quarter inch in";
    EXPECT_EQ(blockOffset(blockFormat(0)), 360);
    EXPECT_EQ(document.findBlockByNumber(1).textList(), nullptr) << "the item's second paragraph";
    EXPECT_EQ(blockStartIndent(blockFormat(1)), 720) << "is under the item's text";
    EXPECT_EQ(blockOffset(blockFormat(1)), 0);
    EXPECT_EQ(document.findBlockByNumber(6).textList(), nullptr);
}

TEST_F(OdtReaderTest, TablesMergeCellsAcrossAndDown)
{
    read(package(
        "<table:table><table:table-column table:style-name=\"Sloupec\" table:number-columns-repeated=\"2\"/>"
        "<table:table-column/><table:table-header-rows><table:table-row>"
        "<table:table-cell table:number-columns-spanned=\"2\"><text:p>přes dva</text:p></table:table-cell>"
        "<table:covered-table-cell/><table:table-cell table:number-rows-spanned=\"2\"><text:p>dolů</text:p>"
        "</table:table-cell></table:table-row></table:table-header-rows>"
        "<table:table-row><table:table-cell><text:p>a</text:p></table:table-cell><table:table-cell>"
        "<text:p>b</text:p><text:p>b2</text:p></table:table-cell><table:covered-table-cell/></"
        "table:table-row>"
        "</table:table><text:p>za tabulkou</text:p>",
        "<style:style style:name=\"Sloupec\" style:family=\"table-column\"><style:table-column-properties "
        "style:column-width=\"1in\"/></style:style>"));
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::NextCharacter);
    QTextTable* table = cursor.currentTable();
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
    EXPECT_EQ(text(0, 0), QStringLiteral("přes dva"));
    EXPECT_EQ(text(0, 2), QStringLiteral("dolů"));
    EXPECT_EQ(text(1, 1), QStringLiteral("b\u2029b2"));
    EXPECT_EQ(table->format().columnWidthConstraints().first(), QTextLength(QTextLength::FixedLength, 96));
    EXPECT_EQ(document.lastBlock().text(), QStringLiteral("za tabulkou"));
}

TEST_F(OdtReaderTest, PageBreaksAndPictures)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    read(package(
        "<text:p text:style-name=\"Konec\">první</text:p><text:p>druhá</text:p>"
        "<draw:frame text:anchor-type=\"page\"><draw:image xlink:href=\"Pictures/a.png\"/></draw:frame>"
        "<text:p text:style-name=\"Zacatek\">obrázek <draw:frame svg:width=\"1in\" svg:height=\"0.5in\">"
        "<draw:image xlink:href=\"Pictures/chybi.svg\"/><draw:image xlink:href=\"./Pictures/a.png\"/>"
        "</draw:frame><draw:frame><draw:image "
        "xlink:href=\"https://example.cz/b.png\"/></draw:frame></text:p>",
        {},
        "<style:style style:name=\"Konec\" style:family=\"paragraph\"><style:paragraph-properties "
        "fo:break-after=\"page\"/></style:style><style:style style:name=\"Zacatek\" "
        "style:family=\"paragraph\"><style:paragraph-properties fo:break-before=\"page\"/></style:style>",
        {{QStringLiteral("Pictures/a.png"), png}}));
    EXPECT_NE(blockFormat(0).pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(blockFormat(1).pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore) << "after the first";
    EXPECT_EQ(document.findBlockByNumber(2).text(), QStringLiteral("\uFFFC"))
        << "a picture between paragraphs";
    EXPECT_EQ(blockFormat(3).pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(document.findBlockByNumber(3).text(), QStringLiteral("obrázek \uFFFC")) << "one picture, once";
    const QTextImageFormat picture = charAt(document.findBlockByNumber(3).position() + 8).toImageFormat();
    EXPECT_EQ(picture.width(), 96);
    EXPECT_EQ(picture.height(), 48);
    EXPECT_EQ(picture.property(ObjectPictureKind).toString(), QStringLiteral("png"));
    EXPECT_EQ(picture.property(ObjectPictureData).toByteArray(), png);
}

TEST_F(OdtReaderTest, NotesBecomeNoteGroupsOnTheirMarks)
{
    read(package(
        "<text:p>text<text:note text:note-class=\"footnote\"><text:note-citation>1</text:note-citation>"
        "<text:note-body><text:p>pata <text:span text:style-name=\"T1\">tucne</text:span></text:p>"
        "<text:p>druhy</text:p></text:note-body></text:note> dal<text:note text:note-class=\"endnote\">"
        "<text:note-citation text:label=\"*\">*</text:note-citation><text:note-body><text:p>konec</text:p>"
        "</text:note-body></text:note></text:p>",
        "<style:style style:name=\"T1\" style:family=\"text\"><style:text-properties "
        "fo:font-weight=\"bold\"/></style:style>"));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("text1 dal*"));
    const QTextCharFormat footnote = charAt(4);
    EXPECT_EQ(footnote.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_TRUE(footnote.boolProperty(CharNoteNumbered));
    const QByteArray group = footnote.property(CharNoteRtf).toByteArray();
    EXPECT_TRUE(group.startsWith("{\\footnote ")) << group.constData();
    EXPECT_TRUE(group.contains("pata") && group.contains("\\b") && group.contains("druhy"))
        << group.constData();
    const QTextCharFormat endnote = charAt(9);
    EXPECT_FALSE(endnote.boolProperty(CharNoteNumbered)) << "the author's own mark";
    EXPECT_TRUE(endnote.property(CharNoteRtf).toByteArray().contains("\\ftnalt"));
    EXPECT_TRUE(endnote.property(CharNoteRtf).toByteArray().contains("konec"));
}

// Containers within containers are read as deep as documents nest them; deeper ones are left
// out rather than read on the stack.
TEST_F(OdtReaderTest, DeepNestingEndsInsteadOfExhaustingTheStack)
{
    constexpr int Depth = 100000;
    read(package("<text:p>mělko</text:p><text:p>" + QByteArray("<text:span>").repeated(Depth) + "uvnitř" +
                 QByteArray("</text:span>").repeated(Depth) + "konec</text:p>" +
                 QByteArray("<text:list><text:list-item>").repeated(Depth) +
                 QByteArray("</text:list-item></text:list>").repeated(Depth) + "<text:p>závěr</text:p>"));
    EXPECT_TRUE(document.toPlainText().startsWith(QStringLiteral("mělko\n")));
    EXPECT_TRUE(document.toPlainText().endsWith(QStringLiteral("konec\nzávěr")));
}

// What the reader must refuse; a bomb inflates past the cap of its part or of the archive.
TEST(OdtReaderRefusalTest, DamagedOrHostileInputFailsTheRead)
{
    const QByteArray good = package("<text:p>text</text:p>");
    const QByteArray spaces(4 << 20, ' ');
    const std::vector<RefusedPackage> cases = {
        {"not an archive", "{\\rtf1 text}"},
        {"truncated", good.left(good.size() - 30)},
        {"no content part", zipParts({{QStringLiteral("styles.xml"), stylesXml({})}})},
        {"a spreadsheet",
         zipParts({{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                   {QStringLiteral("content.xml"), contentXml({}, {})}})},
        {"not well formed", package("<text:p>text<text:span></text:p>")},
        {"entity declaration",
         zipParts(
             {{QStringLiteral("content.xml"),
               contentXml("<text:p>&b;</text:p>", {})
                   .replace("?><office:", "?><!DOCTYPE office:document-content [<!ENTITY a \"aaaaaaaaaa\">"
                                          "<!ENTITY b \"&a;&a;&a;&a;&a;\">]><office:")}})},
        {"bomb content", zipParts({{QStringLiteral("content.xml"), contentXml(spaces, {})}})},
        {"bomb styles", zipParts({{QStringLiteral("content.xml"), contentXml({}, {})},
                                  {QStringLiteral("styles.xml"), stylesXml(spaces)}})},
        {"bomb picture",
         package("<text:p><draw:frame><draw:image xlink:href=\"Pictures/a.png\"/></draw:frame>"
                 "</text:p>",
                 {}, {}, {{QStringLiteral("Pictures/a.png"), "\x89PNG" + spaces}})},
    };
    ASSERT_TRUE(OdtReader().read(good, *std::make_unique<QTextDocument>()));
    expectRefused<OdtReader>(cases);
}

} // namespace
