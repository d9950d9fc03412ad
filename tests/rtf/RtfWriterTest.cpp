#include "rtf/RtfWriter.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "tests/rtf/RtfTestSupport.h"

#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

std::unique_ptr<QTextDocument> documentWithText(const QString& text)
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor(document.get()).insertText(text);
    return document;
}

// A document of `text` whose characters from `from` to `to` are superscript.
std::unique_ptr<QTextDocument> documentWithSuperscript(const QString& text, int from, int to)
{
    auto document = documentWithText(text);
    QTextCursor cursor(document.get());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QTextCharFormat superscript;
    superscript.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.mergeCharFormat(superscript);
    return document;
}

bool isSevenBit(const QByteArray& data)
{
    return std::all_of(data.cbegin(), data.cend(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

TEST(RtfWriterTest, WritesTheHeaderTablesAndSevenBitText)
{
    const auto document = documentWithText(QStringLiteral("Žluťoučký kůň"));
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250\\deff0"));
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset238 "));
    EXPECT_TRUE(rtf.contains("{\\colortbl ;"));
    EXPECT_TRUE(rtf.contains("\\viewkind4\\uc1"));
    EXPECT_TRUE(rtf.contains("\\'8elu\\'9dou\\'e8k\\'fd k\\'f9\\'f2"));
    EXPECT_TRUE(isSevenBit(rtf));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
}

TEST(RtfWriterTest, CharactersOutsideWindows1250AreSignedUnicodeEscapes)
{
    const QByteArray rtf = writeRtf(*documentWithText(QStringLiteral("€ ✓ 日本 😀")));
    EXPECT_TRUE(rtf.contains("\\'80")); // the euro sign is in Windows-1250
    EXPECT_TRUE(rtf.contains("\\u10003?"));
    EXPECT_TRUE(rtf.contains("\\u26085?\\u26412?"));
    EXPECT_TRUE(rtf.contains("\\u-10179?\\u-8704?"));
    EXPECT_TRUE(isSevenBit(rtf));
}

TEST(RtfWriterTest, EscapesBracesBackslashesTabsAndBreaks)
{
    const auto document = documentWithText(QStringLiteral("a\\b{c}d\te"));
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(QChar::LineSeparator) + QStringLiteral("f") + QChar(0xA0) +
                      QStringLiteral("g"));
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.contains("a\\\\b\\{c\\}d\\tab e\\line f\\~g"));
}

TEST(RtfWriterTest, EveryParagraphEndsWithParIncludingTheLast)
{
    const auto document = documentWithText(QStringLiteral("one\ntwo"));
    EXPECT_EQ(writeRtf(*document).count("\\par\n"), 2);
}

TEST(RtfWriterTest, SelectionWritesOnlyItsRange)
{
    const auto document = documentWithText(QStringLiteral("first\nsecond\nthird"));
    const QByteArray rtf = writeRtf(*document, 8, 15);
    const auto back = readRtf(rtf);
    EXPECT_EQ(back->toPlainText(), QStringLiteral("cond\nth"));
    // A selection inside one paragraph writes no paragraph mark.
    EXPECT_EQ(writeRtf(*document, 1, 3).count("\\par\n"), 0);
}

TEST(RtfWriterTest, PageBreakBeforeAParagraphIsWrittenAsPage)
{
    const auto document = documentWithText(QStringLiteral("a\nb"));
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(document->findBlockByNumber(1)).mergeBlockFormat(format);
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.contains("a\\page"));
}

TEST(RtfWriterTest, SinkReceivesChunksAndCanStopTheWriting)
{
    QString text;
    for (int paragraph = 0; paragraph < 3000; ++paragraph)
        text += QStringLiteral("Odstavec číslo %1 s nějakým textem navíc.\n").arg(paragraph);
    const auto document = documentWithText(text);
    int chunks = 0;
    qsizetype largest = 0;
    QByteArray whole;
    EXPECT_TRUE(RtfWriter(*document).write([&](const char* data, qsizetype size) {
        ++chunks;
        largest = std::max(largest, size);
        whole.append(data, size);
        return true;
    }));
    EXPECT_GT(chunks, 1);
    EXPECT_LE(largest, 80 * 1024);
    EXPECT_EQ(whole, writeRtf(*document));

    int calls = 0;
    EXPECT_FALSE(RtfWriter(*document).write([&](const char*, qsizetype) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

TEST(RtfWriterTest, NoObjectsWritesABlankForPictures)
{
    QTextDocument document;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pic")), image);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("a"));
    QTextImageFormat format;
    format.setName(QStringLiteral("pic"));
    cursor.insertImage(format);
    cursor.insertText(QStringLiteral("b"));
    EXPECT_TRUE(writeRtf(document).contains("{\\pict\\pngblip\\picw4\\pich3\\picwgoal60\\pichgoal45"));
    const QByteArray without = writeRtf(document, 0, -1, RtfWriter::NoObjects);
    EXPECT_FALSE(without.contains("\\pict"));
    EXPECT_EQ(readRtf(without)->toPlainText(), QStringLiteral("a b"));
}

TEST(RtfWriterTest, ListsAreWrittenWithListTableAndOldNumbering)
{
    auto document = documentWithText(QStringLiteral("one\ntwo"));
    QTextCursor cursor(document.get());
    QTextListFormat listFormat;
    listFormat.setStyle(QTextListFormat::ListDecimal);
    QTextList* list = cursor.createList(listFormat);
    list->add(document->findBlockByNumber(1));
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.contains("{\\*\\listtable"));
    EXPECT_TRUE(rtf.contains("\\levelnfc0"));
    EXPECT_TRUE(rtf.contains("{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"));
    EXPECT_TRUE(rtf.contains("\\ls1\\ilvl0"));
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 1.\\tab}"));
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 2.\\tab}"));
    EXPECT_TRUE(rtf.contains("{\\*\\pn\\pnlvlbody"));
}

TEST(RtfWriterTest, TableRowsAreWrittenWithCellBoundaries)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextTableFormat format;
    format.setColumnWidthConstraints(
        {QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 50)});
    QTextTable* table = cursor.insertTable(2, 2, format);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("a"));
    table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("d"));
    const QByteArray rtf = writeRtf(document);
    EXPECT_EQ(rtf.count("\\trowd"), 2);
    EXPECT_EQ(rtf.count("\\cellx1500"), 2);
    EXPECT_EQ(rtf.count("\\cellx2250"), 2);
    EXPECT_EQ(rtf.count("\\cell "), 4);
    EXPECT_EQ(rtf.count("\\row"), 2);
    EXPECT_TRUE(rtf.contains("\\intbl"));
}

TEST(RtfWriterTest, SelectionFromTheMiddleOfAListNumbersItemsAsInTheDocument)
{
    auto document = documentWithText(QStringLiteral("one\ntwo\nthree"));
    QTextListFormat listFormat;
    listFormat.setStyle(QTextListFormat::ListUpperRoman);
    QTextList* list = QTextCursor(document.get()).createList(listFormat);
    list->add(document->findBlockByNumber(1));
    list->add(document->findBlockByNumber(2));
    const QByteArray rtf = writeRtf(*document, document->findBlockByNumber(1).position());
    EXPECT_FALSE(rtf.contains("{\\pntext\\f0 I.\\tab}"));
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 II.\\tab}"));
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 III.\\tab}"));
}

TEST(RtfWriterTest, ScriptRunsEndWithNoSuperSubBeforePlain)
{
    // LibreOffice loses the rest of the paragraph after "\super 2\plain".
    auto document = documentWithSuperscript(QStringLiteral("mc2 konec"), 2, 3);
    const QByteArray rtf = writeRtf(*document);
    const qsizetype super = rtf.indexOf("\\super");
    ASSERT_GE(super, 0);
    const qsizetype ending = rtf.indexOf("\\nosupersub", super);
    ASSERT_GE(ending, 0);
    EXPECT_LT(ending, rtf.indexOf("konec")) << rtf.constData();
}

TEST(RtfWriterTest, ScriptRunsAreClosedBeforeTheParagraphEnds)
{
    // LibreOffice drops "\super 2\par" together with the break.
    auto document = documentWithSuperscript(QStringLiteral("x2\ndalší"), 1, 2);
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.contains("2\\nosupersub\\par")) << rtf.constData();
}

TEST(RtfWriterTest, KeptGroupsStaySevenBitWithBinaryDataAsHex)
{
    QTextDocument document;
    QTextImageFormat object;
    static const char group[] = "{\\object{\\*\\objdata \\bin4 }\xff\x00\\}\\'e8\xe8}}";
    object.setProperty(ObjectRtf, QByteArray(group, sizeof group - 1));
    QTextCursor(&document).insertImage(object);
    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(isSevenBit(rtf)) << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\object{\\*\\objdata  7dff005c}\\'e8\\'e8}}")) << rtf.constData();
}

TEST(RtfWriterTest, PicturesKeepTheirCharacterFormat)
{
    QTextDocument document;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("obrazek")), image);
    QTextImageFormat picture;
    picture.setName(QStringLiteral("obrazek"));
    setCharSize(picture, 220);
    setCharOffset(picture, -40);
    picture.setFontFamilies({QStringLiteral("Calibri")});
    QTextCursor(&document).insertImage(picture);

    const auto again = readRtf(writeRtf(document));
    const QTextCharFormat read = formatAt(*again, 0);
    ASSERT_TRUE(read.isImageFormat());
    EXPECT_EQ(charSize(read), 220);
    EXPECT_EQ(charOffset(read), -40);
    EXPECT_EQ(read.fontFamilies().toStringList(), QStringList{QStringLiteral("Calibri")});
}

TEST(RtfWriterTest, NumberingStylesSurviveAndShapeTheLevelText)
{
    struct Case
    {
        int style;
        const char* levelText;
        const char* itemText;
    };
    for (const Case& row :
         {Case{0x000, "{\\leveltext\\'02\\'00);}", "{\\pntext\\f0 1)\\tab}"},
          Case{0x100, "{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}", "{\\pntext\\f0 (1)\\tab}"},
          Case{0x200, "{\\leveltext\\'02\\'00.;}", "{\\pntext\\f0 1.\\tab}"},
          Case{0x300, "{\\leveltext\\'01\\'00;}", "{\\pntext\\f0 1\\tab}"}}) {
        auto document = documentWithText(QStringLiteral("one\ntwo"));
        QTextCursor cursor(document.get());
        QTextListFormat listFormat;
        listFormat.setStyle(QTextListFormat::ListDecimal);
        QTextList* list = cursor.createList(listFormat);
        list->add(document->findBlockByNumber(1));
        for (int block = 0; block < 2; ++block) {
            QTextCursor item(document->findBlockByNumber(block));
            QTextBlockFormat format = item.blockFormat();
            format.setProperty(BlockNumberingStyle, row.style);
            item.setBlockFormat(format);
        }
        const QByteArray rtf = writeRtf(*document);
        EXPECT_TRUE(rtf.contains(row.levelText)) << "style " << row.style << ": " << rtf.constData();
        EXPECT_TRUE(rtf.contains(row.itemText)) << "style " << row.style;
        const auto again = readRtf(rtf);
        EXPECT_EQ(blockFormatAt(*again, 1).intProperty(BlockNumberingStyle), row.style);
    }
}

TEST(RtfWriterTest, EastAsianAndComplexTextIsWrittenWithItsFontForThoseScripts)
{
    auto document = documentWithText(QStringLiteral("abc 日本 שלום"));
    const auto setFace = [&document](int from, int to, const QString& face, int charset) {
        QTextCursor cursor(document.get());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontFamilies({face});
        setCharCharset(format, charset);
        setCharSize(format, 210);
        cursor.mergeCharFormat(format);
    };
    setFace(0, 4, QStringLiteral("Arial"), 238);
    setFace(4, 7, QStringLiteral("MS Mincho"), 128);
    setFace(7, 11, QStringLiteral("David"), 177);
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.contains("\\plain\\f1\\fs21 abc ")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\plain\\dbch\\af2\\loch\\f2\\fs21 \\u26085?")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\plain\\rtlch\\af3\\afs21\\ltrch\\f3\\fs21 \\u1513?")) << rtf.constData();
    // CJK text in a font of another character set was given no East Asian font.
    EXPECT_FALSE(writeRtf(*documentWithText(QStringLiteral("日本"))).contains("\\dbch"));
    const auto back = readRtf(rtf);
    for (const auto& [position, face] : {std::pair{0, "Arial"}, {4, "MS Mincho"}, {8, "David"}}) {
        const QTextCharFormat format = formatAt(*back, position);
        EXPECT_EQ(format.fontFamilies().toStringList().value(0), QLatin1String(face)) << position;
        EXPECT_EQ(charSize(format), 210) << position;
    }
}

TEST(RtfWriterTest, HighlightIsWrittenAsShadingAndAsHighlightAndReadBackOnce)
{
    auto document = documentWithText(QStringLiteral("x"));
    QTextCursor cursor(document.get());
    cursor.select(QTextCursor::Document);
    QTextCharFormat format;
    setCharBackColor(format, QColor(0xc0, 0xff, 0xc0));
    cursor.mergeCharFormat(format);
    const QByteArray rtf = writeRtf(*document);
    EXPECT_TRUE(rtf.contains("\\chcbpat1\\highlight1 x")) << rtf.constData();
    EXPECT_EQ(formatAt(*readRtf(rtf), 0).background().color(), QColor(0xc0, 0xff, 0xc0));
}
