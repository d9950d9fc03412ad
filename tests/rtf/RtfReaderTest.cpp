#include "rtf/RtfReader.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "tests/rtf/RtfTestSupport.h"

#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

QString textOf(const char* rtf)
{
    return readRtf(QByteArray(rtf))->toPlainText();
}

} // namespace

TEST(RtfReaderTest, RefusesInputThatIsNotRtfWithoutTouchingTheDocument)
{
    QTextDocument document(QStringLiteral("kept"));
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    RtfReader reader(cursor);
    EXPECT_FALSE(reader.feed("Hello {\\rtf1 x}", 15));
    EXPECT_FALSE(reader.finish());
    EXPECT_FALSE(reader.errorString().isEmpty());
    EXPECT_EQ(document.toPlainText(), QStringLiteral("kept"));
}

TEST(RtfReaderTest, DecidesFromTheFirstNonBlankBytesEvenAcrossChunks)
{
    QTextDocument document;
    RtfReader reader{QTextCursor(&document)};
    EXPECT_TRUE(reader.feed("  \r\n {", 6));
    EXPECT_TRUE(reader.feed("\\r", 2));
    EXPECT_TRUE(reader.feed("tf1 ahoj}", 9));
    EXPECT_TRUE(reader.finish());
    EXPECT_EQ(document.toPlainText(), QStringLiteral("ahoj"));
}

TEST(RtfReaderTest, EmptyInputIsNotRtf)
{
    QTextDocument document;
    RtfReader reader{QTextCursor(&document)};
    EXPECT_FALSE(reader.finish());
}

TEST(RtfReaderTest, ReplacesTheSelectionAndLeavesTheRestOfTheText)
{
    QTextDocument document(QStringLiteral("abcdef"));
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    RtfReader reader(cursor);
    const QByteArray rtf("{\\rtf1 XY}");
    reader.feed(rtf.constData(), rtf.size());
    reader.finish();
    EXPECT_EQ(document.toPlainText(), QStringLiteral("abXYef"));
    EXPECT_EQ(reader.cursor().position(), 4);
}

// The text after the insertion point goes on in a paragraph of the default format.
TEST(RtfReaderTest, ParagraphBreaksInTheMiddleOfTextAreKept)
{
    QTextDocument document(QStringLiteral("abcd"));
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    RtfReader reader(cursor);
    const QByteArray rtf("{\\rtf1\\qc X\\par}");
    reader.feed(rtf.constData(), rtf.size());
    reader.finish();
    EXPECT_EQ(document.toPlainText(), QStringLiteral("abX\ncd"));
    EXPECT_EQ(blockAlignment(blockFormatAt(document, 0)), PFA_CENTER);
    EXPECT_EQ(blockAlignment(blockFormatAt(document, 1)), PFA_LEFT);
}

TEST(RtfReaderTest, TheLastParOfTheFileIsTheDocumentsFinalParagraphMark)
{
    EXPECT_EQ(readRtf("{\\rtf1 a\\par b\\par}")->blockCount(), 2);
    EXPECT_EQ(readRtf("{\\rtf1 a\\par b}")->blockCount(), 2);
    EXPECT_EQ(readRtf("{\\rtf1 a\\par\\par}")->blockCount(), 2);
}

TEST(RtfReaderTest, SpecialCharactersAndEscapes)
{
    EXPECT_EQ(textOf("{\\rtf1 a\\emdash b\\endash c\\bullet d}"), QStringLiteral("a—b–c•d"));
    EXPECT_EQ(textOf("{\\rtf1 \\lquote x\\rquote  \\ldblquote y\\rdblquote}"), QStringLiteral("‘x’ “y”"));
    EXPECT_EQ(readRtf("{\\rtf1 a\\~b\\-c\\_d}")->toRawText(), QStringLiteral("a\u00A0b\u00ADc\u2011d"));
    EXPECT_EQ(textOf("{\\rtf1 \\\\ \\{ \\}}"), QStringLiteral("\\ { }"));
    EXPECT_EQ(textOf("{\\rtf1 a\\tab b}"), QStringLiteral("a\tb"));
    EXPECT_EQ(readRtf("{\\rtf1 a\\line b}")->toRawText(), QStringLiteral("a\u2028b"));
    EXPECT_EQ(textOf("{\\rtf1 a\\emspace\\enspace b}"), QStringLiteral("a\u2003\u2002b"));
}

TEST(RtfReaderTest, LineEndsInTheSourceAreNotText)
{
    EXPECT_EQ(textOf("{\\rtf1 ab\r\ncd\nef}"), QStringLiteral("abcdef"));
    // A backslash before a line end is a paragraph break.
    EXPECT_EQ(textOf("{\\rtf1 ab\\\ncd}"), QStringLiteral("ab\ncd"));
}

TEST(RtfReaderTest, CzechThroughHexEscapesInWindows1250)
{
    const char* rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}"
                      "\\f0 P\\'f8\\'edli\\'9a \\'9elu\\'9dou\\'e8k\\'fd k\\'f9\\'f2 \\'fap\\'ecl "
                      "\\'EF\\'E1belsk\\'E9 \\'f3dy. \\'8a\\'8e\\'c8\\'d8}";
    EXPECT_EQ(textOf(rtf), QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy. ŠŽČŘ"));
}

TEST(RtfReaderTest, CodePageFollowsTheFontsCharset)
{
    // A Central European font in a Western document, and a Cyrillic and a Greek font.
    const char* rtf =
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset238 Arial CE;}"
        "{\\f2\\fcharset204 Arial Cyr;}{\\f3\\fcharset161 Arial Greek;}}"
        "\\f0\\'e8 \\f1\\'e8 \\f2\\'e8 \\f3\\'e1}";
    EXPECT_EQ(textOf(rtf), QStringLiteral("è č и α"));
}

TEST(RtfReaderTest, DocumentCodePageAppliesWithoutFontTable)
{
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}"), QStringLiteral("При"));
    EXPECT_EQ(textOf("{\\rtf1\\ansi \\'e9}"), QStringLiteral("é"));
}

TEST(RtfReaderTest, DoubleByteCodePages)
{
    // Shift-JIS 0x93 0xFA 0x96 0x7B is 日本; GBK 0xD6 0xD0 0xCE 0xC4 is 中文.
    EXPECT_EQ(textOf("{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b}"), QStringLiteral("日本"));
    EXPECT_EQ(
        textOf(
            "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f1\\fcharset134 SimSun;}}\\f1 \\'d6\\'d0\\'ce\\'c4 x}"),
        QStringLiteral("中文 x"));
}

TEST(RtfReaderTest, UnicodeEscapesSkipTheirFallback)
{
    EXPECT_EQ(textOf("{\\rtf1\\uc1 \\u269\\'e8 a}"), QStringLiteral("č a"));
    EXPECT_EQ(textOf("{\\rtf1\\uc1 \\u269? a}"), QStringLiteral("č a"));
    // Two fallback bytes; a control word counts as one fallback character.
    EXPECT_EQ(textOf("{\\rtf1\\uc2 \\u26085\\'93\\'fa\\u26412\\emdash\\'7bx}"), QStringLiteral("日本x"));
    // A bad escape is the character skipped, as LibreOffice reads Word's "\u345\'9".
    EXPECT_EQ(textOf("{\\rtf1\\uc1 \\u345\\'9 text \\u8364\\'8nop}"), QStringLiteral("řtext €op"));
    EXPECT_EQ(textOf("{\\rtf1\\uc2 \\u345\\'zxyz}"), QStringLiteral("řz"));
    // \uc0: nothing is skipped.
    EXPECT_EQ(textOf("{\\rtf1\\uc0 \\u269 a}"), QStringLiteral("ča"));
    // Negative values are signed 16-bit; pairs of surrogates make one character.
    EXPECT_EQ(textOf("{\\rtf1 \\u-10179?\\u-8704?}"), QStringLiteral("😀"));
    EXPECT_EQ(textOf("{\\rtf1 \\u8364?}"), QStringLiteral("€"));
    // The skip count belongs to the group.
    EXPECT_EQ(textOf("{\\rtf1 {\\uc3 \\u269 abc}\\u269 de}"), QStringLiteral("čče"));
    // A group's end stops the skipping.
    EXPECT_EQ(textOf("{\\rtf1\\uc2 {\\u269}ab}"), QStringLiteral("čab"));
}

TEST(RtfReaderTest, CharacterFormats)
{
    const char* rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Courier New;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                      "\\f0\\fs24 n{\\b b}{\\i i}{\\ul u}{\\uldb d}{\\strike s}{\\f1\\fs21 c}{\\cf1 r}"
                      "{\\highlight2 h}{\\sub x}{\\super y}{\\up6 z}{\\b\\ulnone\\ul0 w}{\\ul\\ulnone q}}";
    const auto document = readRtf(rtf);
    ASSERT_EQ(document->toPlainText(), QStringLiteral("nbiudscrhxyzwq"));
    const QTextCharFormat normal = formatAt(*document, 0);
    EXPECT_EQ(normal.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(charSize(normal), 240);
    EXPECT_EQ(normal.fontWeight(), QFont::Normal);
    EXPECT_TRUE(charAutoColor(normal));
    EXPECT_TRUE(charAutoBackColor(normal));
    EXPECT_EQ(formatAt(*document, 1).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(*document, 2).fontItalic());
    EXPECT_TRUE(formatAt(*document, 3).fontUnderline());
    EXPECT_TRUE(formatAt(*document, 4).fontUnderline());
    EXPECT_TRUE(formatAt(*document, 5).fontStrikeOut());
    const QTextCharFormat courier = formatAt(*document, 6);
    EXPECT_EQ(courier.fontFamilies().toStringList(), QStringList{QStringLiteral("Courier New")});
    EXPECT_EQ(charSize(courier), 210);
    EXPECT_EQ(charCharset(courier), 238);
    EXPECT_DOUBLE_EQ(courier.fontPointSize(), 10.5);
    EXPECT_EQ(formatAt(*document, 7).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(charAutoColor(formatAt(*document, 7)));
    EXPECT_EQ(formatAt(*document, 8).background().color(), QColor(0, 0, 255));
    EXPECT_FALSE(charAutoBackColor(formatAt(*document, 8)));
    EXPECT_EQ(formatAt(*document, 9).verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(formatAt(*document, 10).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(charOffset(formatAt(*document, 11)), 60);
    EXPECT_GT(formatAt(*document, 11).baselineOffset(), 0);
    EXPECT_EQ(formatAt(*document, 12).fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatAt(*document, 12).fontUnderline());
    EXPECT_FALSE(formatAt(*document, 13).fontUnderline());
}

TEST(RtfReaderTest, ColourZeroIsAutomaticWhenItIsTheEmptyEntry)
{
    const auto document =
        readRtf("{\\rtf1{\\colortbl;\\red10\\green20\\blue30;}{\\cf1 a}{\\cf0 b}{\\cf9 c}}");
    EXPECT_FALSE(charAutoColor(formatAt(*document, 0)));
    EXPECT_TRUE(charAutoColor(formatAt(*document, 1)));
    EXPECT_TRUE(charAutoColor(formatAt(*document, 2))); // out of the table
    const auto explicitZero = readRtf("{\\rtf1{\\colortbl\\red10\\green20\\blue30;}{\\cf0 a}}");
    EXPECT_EQ(formatAt(*explicitZero, 0).foreground().color(), QColor(10, 20, 30));
}

TEST(RtfReaderTest, PlainAndGroupsRestoreCharacterFormats)
{
    const auto document = readRtf("{\\rtf1\\b a{\\i b}c\\plain d}");
    EXPECT_EQ(formatAt(*document, 0).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(*document, 1).fontItalic());
    EXPECT_FALSE(formatAt(*document, 2).fontItalic());
    EXPECT_EQ(formatAt(*document, 2).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(*document, 3).fontWeight(), QFont::Normal);
}

TEST(RtfReaderTest, HiddenTextIsKeptMarkedAndWrittenBack)
{
    const auto document = readRtf("{\\rtf1 a{\\v skryt}b\\v c\\v0 d}");
    EXPECT_EQ(document->toPlainText(), QStringLiteral("askrytbcd"));
    EXPECT_FALSE(formatAt(*document, 0).boolProperty(CharHidden));
    EXPECT_TRUE(formatAt(*document, 1).boolProperty(CharHidden));
    EXPECT_FALSE(formatAt(*document, 6).boolProperty(CharHidden));
    EXPECT_TRUE(formatAt(*document, 7).boolProperty(CharHidden));
    EXPECT_FALSE(formatAt(*document, 8).boolProperty(CharHidden));

    const auto again = readRtf(writeRtf(*document));
    EXPECT_EQ(again->toPlainText(), QStringLiteral("askrytbcd"));
    EXPECT_TRUE(formatAt(*again, 3).boolProperty(CharHidden));
    EXPECT_FALSE(formatAt(*again, 8).boolProperty(CharHidden));
}

TEST(RtfReaderTest, LanguagesOfTheTextAndNoProofSurviveASave)
{
    // English by default, one Czech word, one German word that is not to be proofed.
    const auto document =
        readRtf("{\\rtf1\\deflang1033 one {\\lang1029 dva} {\\lang1031\\noproof drei}\\plain  four}");
    EXPECT_EQ(charLanguage(formatAt(*document, 0)), 1033);
    EXPECT_EQ(charLanguage(formatAt(*document, 4)), 0) << "Czech, the default, is kept as no language";
    EXPECT_EQ(charLanguage(formatAt(*document, 8)), 1031);
    EXPECT_TRUE(charNoProof(formatAt(*document, 8)));
    EXPECT_EQ(charLanguage(formatAt(*document, 14)), 1033) << "\\plain returns to the document's language";
    EXPECT_FALSE(charNoProof(formatAt(*document, 14)));

    const QByteArray written = writeRtf(*document);
    const auto again = readRtf(written);
    EXPECT_EQ(again->toPlainText(), document->toPlainText());
    for (int position : {0, 4, 8, 14}) {
        EXPECT_EQ(charLanguage(formatAt(*again, position)), charLanguage(formatAt(*document, position)))
            << position << " in " << written.constData();
        EXPECT_EQ(charNoProof(formatAt(*again, position)), charNoProof(formatAt(*document, position)));
    }
}

TEST(RtfReaderTest, FootnoteMarksAreNumberedAndTheNotesLeftOut)
{
    EXPECT_EQ(textOf("{\\rtf1 prvn\\'ed{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} pozn\\'e1mka} a "
                     "druh\\'e1{\\super\\chftn}{\\footnote{\\super\\chftn} dal\\'9a\\'ed}.}"),
              QStringLiteral("první1 a druhá2."));
}

TEST(RtfReaderTest, ParagraphFormatsKeepTheWindowsValues)
{
    const auto document = readRtf("{\\rtf1\\pard\\qc\\fi-270\\li630\\ri120\\sb100\\sa200 a\\par"
                                  "\\pard\\qr\\sl-600\\slmult0 b\\par"
                                  "\\pard\\qj\\sl360\\slmult1 c\\par"
                                  "\\pard\\sl300\\slmult0 d\\par"
                                  "\\pard\\sl600\\slmult1\\tx720\\tx1440 e\\par}");
    ASSERT_EQ(document->blockCount(), 5);
    const QTextBlockFormat first = blockFormatAt(*document, 0);
    EXPECT_EQ(blockAlignment(first), PFA_CENTER);
    EXPECT_EQ(first.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(blockStartIndent(first), 360);
    EXPECT_EQ(blockOffset(first), 270);
    EXPECT_DOUBLE_EQ(first.leftMargin(), 42.0); // 630 twips
    EXPECT_DOUBLE_EQ(first.textIndent(), -18.0);
    EXPECT_EQ(blockRightIndent(first), 120);
    EXPECT_EQ(blockSpaceBefore(first), 100);
    EXPECT_EQ(blockSpaceAfter(first), 200);
    EXPECT_EQ(blockLineSpacingRule(first), LineSpacingSingle);

    const QTextBlockFormat exactly = blockFormatAt(*document, 1);
    EXPECT_EQ(blockAlignment(exactly), PFA_RIGHT);
    EXPECT_EQ(blockLineSpacingRule(exactly), LineSpacingExactly);
    EXPECT_EQ(blockLineSpacing(exactly), 600);
    EXPECT_EQ(exactly.lineHeightType(), QTextBlockFormat::FixedHeight);

    const QTextBlockFormat oneAndHalf = blockFormatAt(*document, 2);
    EXPECT_EQ(blockAlignment(oneAndHalf), PFA_JUSTIFY);
    EXPECT_EQ(blockLineSpacingRule(oneAndHalf), LineSpacingOneAndHalf);

    EXPECT_EQ(blockLineSpacingRule(blockFormatAt(*document, 3)), LineSpacingAtLeast);
    EXPECT_EQ(blockLineSpacing(blockFormatAt(*document, 3)), 300);

    const QTextBlockFormat multiple = blockFormatAt(*document, 4);
    EXPECT_EQ(blockLineSpacingRule(multiple), LineSpacingMultiple);
    EXPECT_EQ(blockLineSpacing(multiple), 50); // two and a half lines, 20 per line
    ASSERT_EQ(multiple.tabPositions().size(), 2);
    EXPECT_DOUBLE_EQ(multiple.tabPositions().at(1).position, 96.0);
}

TEST(RtfReaderTest, ParagraphPropertiesLastUntilPard)
{
    const auto document = readRtf("{\\rtf1\\qc a\\par b\\par\\pard c}");
    EXPECT_EQ(blockAlignment(blockFormatAt(*document, 0)), PFA_CENTER);
    EXPECT_EQ(blockAlignment(blockFormatAt(*document, 1)), PFA_CENTER);
    EXPECT_EQ(blockAlignment(blockFormatAt(*document, 2)), PFA_LEFT);
}

TEST(RtfReaderTest, PageBreakStartsTheNextParagraphOnANewPage)
{
    const auto document = readRtf("{\\rtf1 a\\page b\\par\\pard\\pagebb c}");
    ASSERT_EQ(document->toPlainText(), QStringLiteral("a\nb\nc"));
    EXPECT_FALSE(blockFormatAt(*document, 0).pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_TRUE(blockFormatAt(*document, 1).pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_TRUE(blockFormatAt(*document, 2).pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

// Consecutive paragraphs share their format as far as the file says and no further:
// each paragraph, whatever came before it, ends up with its own.
TEST(RtfReaderTest, EachParagraphGetsItsOwnFormatWhateverItsNeighbours)
{
    const auto document = readRtf("{\\rtf1\\qc a\\par b\\par\\pard c\\par\\qr d\\page e\\par\\pard\\qr f\\par"
                                  "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\qr g\\par"
                                  "\\pard\\qr h\\par\\pard\\fi-200\\li400 i}");
    ASSERT_EQ(document->blockCount(), 9);
    const struct
    {
        int alignment;
        bool pageBreak;
        bool listed;
        int indent;
    } expected[] = {
        {PFA_CENTER, false, false, 0}, {PFA_CENTER, false, false, 0}, {PFA_LEFT, false, false, 0},
        {PFA_RIGHT, false, false, 0},  {PFA_RIGHT, true, false, 0},   {PFA_RIGHT, false, false, 0},
        {PFA_RIGHT, false, true, 0},   {PFA_RIGHT, false, false, 0},  {PFA_LEFT, false, false, 200}};
    for (int block = 0; block < document->blockCount(); ++block) {
        SCOPED_TRACE(block);
        const QTextBlock paragraph = document->findBlockByNumber(block);
        EXPECT_EQ(blockAlignment(paragraph.blockFormat()), expected[block].alignment);
        EXPECT_EQ(bool(paragraph.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore),
                  expected[block].pageBreak);
        EXPECT_EQ(paragraph.textList() != nullptr, expected[block].listed);
        EXPECT_EQ(blockStartIndent(paragraph.blockFormat()), expected[block].indent);
    }
}

TEST(RtfReaderTest, DestinationsThatAreNotTextAreSkipped)
{
    const char* rtf =
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
        "{\\header H}{\\footerl F}{\\*\\generator G;}{\\*\\unknown U{\\nested N}}"
        "{\\*\\themedata 0102}{\\footnote note}a{\\pntext 1.\\tab}{\\listtext 2.\\tab}b{\\foo c}}";
    EXPECT_EQ(textOf(rtf), QStringLiteral("abc"));
}

TEST(RtfReaderTest, UnknownControlWordsAreIgnoredButTheirTextKept)
{
    EXPECT_EQ(textOf("{\\rtf1\\zzunknown42 a\\yy b{\\xx c}}"), QStringLiteral("abc"));
}

TEST(RtfReaderTest, HyperlinkFieldBecomesAnAnchor)
{
    const auto document = readRtf("{\\rtf1 see {\\field{\\*\\fldinst{HYPERLINK \"https://example.cz/a?b=1\"}}"
                                  "{\\fldrslt{\\ul\\cf1 example}}} now}");
    ASSERT_EQ(document->toPlainText(), QStringLiteral("see example now"));
    const QTextCharFormat link = formatAt(*document, 4);
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), QStringLiteral("https://example.cz/a?b=1"));
    EXPECT_EQ(charLink(link), QStringLiteral("https://example.cz/a?b=1"));
    EXPECT_FALSE(formatAt(*document, 12).isAnchor());
    EXPECT_FALSE(formatAt(*document, 0).isAnchor());
}

TEST(RtfReaderTest, HyperlinkWithLocalAnchorAndOtherFieldsKeepTheirResult)
{
    const auto document =
        readRtf("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l \"kapitola\"}{\\fldrslt odkaz}} "
                "{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}}");
    EXPECT_EQ(document->toPlainText(), QStringLiteral("odkaz 7"));
    EXPECT_EQ(formatAt(*document, 0).anchorHref(), QStringLiteral("#kapitola"));
    EXPECT_FALSE(formatAt(*document, 6).isAnchor());
}

TEST(RtfReaderTest, ListTableGivesRealLists)
{
    const char* rtf = "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'"
                      "01\\u8226 ?;}}\\listid7}"
                      "{\\list{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\'02\\'00.;}}"
                      "{\\listlevel\\levelnfc4\\levelstartat1}\\listid9}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}"
                      "{\\listoverride\\listid9\\listoverridecount0\\ls2}}"
                      "\\pard\\ls1\\fi-360\\li720{\\listtext \\'b7\\tab}one\\par"
                      "{\\listtext \\'b7\\tab}two\\par"
                      "\\pard\\ls2{\\listtext 3.\\tab}three\\par"
                      "\\pard\\ls2\\ilvl1{\\listtext a.\\tab}sub\\par"
                      "\\pard plain\\par}";
    const auto document = readRtf(rtf);
    ASSERT_EQ(document->toPlainText(), QStringLiteral("one\ntwo\nthree\nsub\nplain"));
    const QTextList* bullets = document->findBlockByNumber(0).textList();
    ASSERT_NE(bullets, nullptr);
    EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(document->findBlockByNumber(1).textList(), bullets);
    EXPECT_EQ(bullets->count(), 2);
    EXPECT_EQ(blockFormatAt(*document, 0).intProperty(BlockNumbering), PFN_BULLET);
    // The hanging indent is kept, and the symbol, not a negative first-line
    // indent, stands in the hanging part.
    EXPECT_EQ(blockOffset(blockFormatAt(*document, 0)), 360);
    EXPECT_EQ(blockFormatAt(*document, 0).textIndent(), 0);

    const QTextList* numbers = document->findBlockByNumber(2).textList();
    ASSERT_NE(numbers, nullptr);
    EXPECT_EQ(numbers->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(blockFormatAt(*document, 2).intProperty(BlockNumbering), PFN_ARABIC);
    EXPECT_EQ(blockFormatAt(*document, 2).intProperty(BlockNumberingStart), 3);

    const QTextList* letters = document->findBlockByNumber(3).textList();
    ASSERT_NE(letters, nullptr);
    EXPECT_EQ(letters->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(blockFormatAt(*document, 3).intProperty(BlockListLevel), 1);
    EXPECT_EQ(document->findBlockByNumber(4).textList(), nullptr);
}

TEST(RtfReaderTest, OldStyleParagraphNumbering)
{
    const char* rtf = "{\\rtf1{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
                      "\\fi-360\\li360 bullet\\par"
                      "\\pard{\\pntext 5)\\tab}{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart5{\\pntxta )}}roman\\par"
                      "\\pard{\\*\\pn\\pnlvlbody\\pnlcltr\\pnstart2{\\pntxtb (}{\\pntxta )}}letter\\par}";
    const auto document = readRtf(rtf);
    ASSERT_EQ(document->toPlainText(), QStringLiteral("bullet\nroman\nletter"));
    ASSERT_NE(document->findBlockByNumber(0).textList(), nullptr);
    EXPECT_EQ(document->findBlockByNumber(0).textList()->format().style(), QTextListFormat::ListDisc);
    const QTextBlockFormat roman = blockFormatAt(*document, 1);
    ASSERT_NE(document->findBlockByNumber(1).textList(), nullptr);
    EXPECT_EQ(document->findBlockByNumber(1).textList()->format().style(), QTextListFormat::ListUpperRoman);
    EXPECT_EQ(roman.intProperty(BlockNumberingStart), 5);
    EXPECT_EQ(roman.intProperty(BlockNumberingStyle), 0);
    const QTextBlockFormat letter = blockFormatAt(*document, 2);
    EXPECT_EQ(letter.intProperty(BlockNumbering), PFN_LCLETTER);
    EXPECT_EQ(letter.intProperty(BlockNumberingStyle), 0x100);
}

TEST(RtfReaderTest, TablesBecomeTextTables)
{
    const char* rtf = "{\\rtf1 before\\par"
                      "\\trowd\\cellx1500\\cellx4500\\pard\\intbl a1\\cell b1\\cell\\row"
                      "\\trowd\\cellx1500\\cellx4500\\pard\\intbl a2\\par second line\\cell b2\\cell\\row"
                      "\\pard after\\par}";
    const auto document = readRtf(rtf);
    QTextTable* table = nullptr;
    for (QTextFrame* frame : document->rootFrame()->childFrames())
        table = table ? table : qobject_cast<QTextTable*>(frame);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    auto cellText = [&](int row, int column) {
        QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
        cursor.setPosition(table->cellAt(row, column).lastPosition(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    };
    EXPECT_EQ(cellText(0, 0), QStringLiteral("a1"));
    EXPECT_EQ(cellText(0, 1), QStringLiteral("b1"));
    EXPECT_EQ(cellText(1, 0), QStringLiteral("a2\u2029second line"));
    EXPECT_EQ(cellText(1, 1), QStringLiteral("b2"));
    EXPECT_DOUBLE_EQ(table->format().columnWidthConstraints().at(0).rawValue(), 100.0);
    EXPECT_EQ(document->firstBlock().text(), QStringLiteral("before"));
    EXPECT_EQ(document->lastBlock().text(), QStringLiteral("after"));
}

TEST(RtfReaderTest, RowsWithMoreCellsWidenTheTableAndNestedCellsKeepTheirText)
{
    const char* rtf = "{\\rtf1\\trowd\\cellx1000\\intbl a\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\intbl b\\cell c\\cell\\row"
                      "\\pard\\intbl\\itap2 x\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}"
                      "{\\nonesttables z}\\itap1 outer\\cell\\row}";
    const auto document = readRtf(rtf);
    const QString text = document->toPlainText();
    for (const char* word : {"a", "b", "c", "x\ty", "outer"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
    EXPECT_FALSE(text.contains(u'z'));
    QTextTable* table = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(table->rows(), 3);
}

TEST(RtfReaderTest, CellWithoutIntblStillEndsACell)
{
    EXPECT_TRUE(textOf("{\\rtf1 a\\cell b\\cell\\row c}").contains(QStringLiteral("c")));
}

TEST(RtfReaderTest, ReadsTheWordPadSample)
{
    const auto document = readRtf(sampleRtf("czech-wordpad.rtf"));
    ASSERT_EQ(document->blockCount(), 5);
    EXPECT_EQ(document->findBlockByNumber(0).text(), QStringLiteral("Příliš žluťoučký kůň"));
    EXPECT_EQ(document->findBlockByNumber(1).text(),
              QStringLiteral("Úpěl ďábelské ódy, kurzíva, podtržené, červené a zvýrazněné."));
    EXPECT_EQ(document->findBlockByNumber(4).text(), QStringLiteral("€ ✓ 日本 😀"));
    const QTextCharFormat title = formatAt(*document, 0);
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(charSize(title), 320);
    EXPECT_EQ(title.fontFamilies().toStringList().value(0), QStringLiteral("Arial CE"));
    EXPECT_EQ(blockAlignment(blockFormatAt(*document, 0)), PFA_CENTER);
    EXPECT_EQ(blockSpaceAfter(blockFormatAt(*document, 0)), 200);
    EXPECT_EQ(blockLineSpacingRule(blockFormatAt(*document, 1)), LineSpacingOneAndHalf);
    EXPECT_EQ(blockStartIndent(blockFormatAt(*document, 1)), 567);
    const QTextList* list = document->findBlockByNumber(2).textList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(document->findBlockByNumber(3).textList(), list);
    EXPECT_EQ(list->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(blockStartIndent(blockFormatAt(*document, 2)), 360);
    EXPECT_EQ(blockOffset(blockFormatAt(*document, 2)), 360);
    EXPECT_EQ(
        formatAt(*document, document->findBlockByNumber(4).position()).fontFamilies().toStringList().value(0),
        QStringLiteral("Times New Roman"));
}

TEST(RtfReaderTest, ListItemsSeparatedByOtherParagraphsFormSeparateLists)
{
    const auto document = readRtf("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec}a\\par b\\par\\pard c\\par"
                                  "{\\*\\pn\\pnlvlbody\\pndec}d\\par}");
    const QTextList* first = document->findBlockByNumber(0).textList();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(document->findBlockByNumber(1).textList(), first);
    EXPECT_EQ(document->findBlockByNumber(2).textList(), nullptr);
    const QTextList* second = document->findBlockByNumber(3).textList();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->itemNumber(document->findBlockByNumber(3)), 0);
}

TEST(RtfReaderTest, FontNamesAreDecodedInTheirOwnCodePage)
{
    // MS Gothic in Shift-JIS bytes, a Czech name in Windows-1250, a name in \u escapes.
    const auto document =
        readRtf("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 Gothic;}"
                "{\\f1\\fcharset238 P\\'edsmo;}{\\f2\\fcharset0 \\u26085?\\u26412?;}}"
                "\\f0 a\\f1 b\\f2 c}");
    EXPECT_EQ(formatAt(*document, 0).fontFamilies().toStringList().value(0), QStringLiteral("ＭＳ Gothic"));
    EXPECT_EQ(formatAt(*document, 1).fontFamilies().toStringList().value(0), QStringLiteral("Písmo"));
    EXPECT_EQ(formatAt(*document, 2).fontFamilies().toStringList().value(0), QStringLiteral("日本"));
}
