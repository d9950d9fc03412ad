// The Word and OpenDocument writers on a rich document read from RTF: the .docx read back
// through DocxReader gives the same text and formats, the .odt holds the elements of the same
// content, and a device that cannot be written fails the write.

#include "format/TextFormatProperties.h"
#include "office/DocxReader.h"
#include "office/DocxWriter.h"
#include "office/OdtWriter.h"
#include "office/ZipArchive.h"
#include "rtf/ListLabels.h"
#include "rtf/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace TextFormatProperties;

namespace {

// Non-ASCII characters as \uN? so that the RTF stays 7-bit.
QByteArray rtfText(const QString& text)
{
    QByteArray rtf;
    for (QChar c : text)
        rtf += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode()))
                                  : "\\u" + QByteArray::number(qint16(c.unicode())) + '?';
    return rtf;
}

QByteArray pngPicture()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Formats (hidden, English and not to be proofed text among them), tabs and breaks, a nested list starting at
// 3 whose inner level is legal (its letters shown as numbers), a link, a picture and a footnote.
QByteArray richRtf()
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Liberation Sans;}{\\f1\\froman Liberation Serif;}}"
           "{\\colortbl;\\red192\\green0\\blue0;\\red255\\green255\\blue0;\\red0\\green160\\blue80;}"
           "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\'02\\'"
           "00.;}"
           "{\\levelnumbers\\'01;}\\fi-360\\li720}{\\listlevel\\levelnfc4\\levellegal1\\levelstartat1{"
           "\\leveltext\\'02\\'"
           "01);}"
           "{\\levelnumbers\\'01;}\\fi-360\\li1440}\\listid1}}"
           "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n"
           "\\pard\\qc\\li720\\ri360\\fi-360\\sb120\\sa240\\sl360\\slmult1\\tx2000 \\f0\\fs28\\b " +
           rtfText(u"Tučný\\b0  \\i kurzíva\\i0  \\ul podtržení\\ulnone  \\strike škrtnutí\\strike0  H"_qs) +
           "{\\sub 2}O x{\\super 2} {\\up6 " + rtfText(u"výš} \\cf1 červená"_qs) + "\\cf0  \\highlight2 " +
           rtfText(u"žlutě"_qs) + "\\highlight0  {\\chcbpat3 " + rtfText(u"zelené pozadí"_qs) +
           "}\\f1\\fs20 patkove\\tab tab\\line radek {\\v skryte} {\\lang1033 English} {\\noproof "
           "nekontrolovat}\\par\n"
           "\\pard\\qj\\sl-300\\slmult0 {\\field{\\*\\fldinst{HYPERLINK "
           "\"https://example.cz/\"}}{\\fldrslt{" +
           rtfText(u"odkaz na příklad"_qs) +
           "}}} a obr\\'e1zek {\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450 " +
           pngPicture().toHex() + "} s poznamkou{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} " +
           rtfText(u"Text poznámky"_qs) +
           "} a koncovou{\\super\\chftn}{\\footnote\\ftnalt\\pard{\\super\\chftn} " +
           rtfText(u"Koncová poznámka"_qs) +
           "}.\\par\n"
           "\\pard\\ls1\\ilvl0\\fi-360\\li720 " +
           rtfText(u"první"_qs) +
           "\\par\n"
           "\\pard\\ls1\\ilvl1\\fi-360\\li1440 " +
           rtfText(u"vnořená"_qs) +
           "\\par\n"
           "\\pard\\ls1\\ilvl1\\fi-360\\li1440 " +
           rtfText(u"druhá vnořená"_qs) +
           "\\par\n"
           "\\pard\\ls1\\ilvl0\\fi-360\\li720 " +
           rtfText(u"druhá"_qs) +
           "\\par\n"
           "\\pard\\pagebb\\sl280\\slmult0 " +
           rtfText(u"Na nové stránce"_qs) + "\\par}";
}

// The rich document, with a table of three columns whose first row's first two cells are
// merged and whose last column's cells are merged downwards.
void appendRtf(QTextDocument& document, const QByteArray& rtf)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    RtfReader reader(cursor);
    ASSERT_TRUE(reader.feed(rtf.constData(), rtf.size()) && reader.finish());
}

void buildRichDocument(QTextDocument& document)
{
    appendRtf(document, richRtf());
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                      QTextLength(QTextLength::FixedLength, 80),
                                      QTextLength(QTextLength::FixedLength, 120)});
    QTextTable* table = cursor.insertTable(2, 3, format);
    table->mergeCells(0, 0, 1, 2);
    table->mergeCells(0, 2, 2, 1);
    const QStringList texts{u"spojená"_qs, QString(), u"dolů"_qs, u"A"_qs, u"B"_qs, QString()};
    QTextCharFormat typed;
    typed.setFontFamilies({u"Liberation Sans"_qs});
    setCharSize(typed, 240);
    for (int index = 0; index < 6; ++index)
        if (!texts.at(index).isEmpty())
            table->cellAt(index / 3, index % 3).firstCursorPosition().insertText(texts.at(index), typed);
}

QByteArray written(const QTextDocument& document, bool odt)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (odt) {
        OdtWriter writer;
        EXPECT_TRUE(writer.write(document, buffer)) << writer.errorString().toStdString();
    } else {
        DocxWriter writer;
        EXPECT_TRUE(writer.write(document, buffer)) << writer.errorString().toStdString();
    }
    return bytes;
}

QString colorText(const QBrush& brush)
{
    return brush.style() == Qt::NoBrush ? u"auto"_qs : brush.color().name();
}

// The text with the formats the model keeps, a line for each run of the same formats; note
// marks left out (they stand in the notes' own parts).
std::string characters(const QTextDocument& document)
{
    QStringList texts;
    QStringList formats;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.hasProperty(CharNoteRtf))
                continue;
            const QString summary = QStringList{format.fontFamilies().toStringList().value(0),
                                                QString::number(charSize(format)),
                                                QString::number(format.fontWeight() >= QFont::DemiBold),
                                                QString::number(format.fontItalic()),
                                                QString::number(format.fontUnderline()),
                                                QString::number(format.fontStrikeOut()),
                                                QString::number(format.verticalAlignment()),
                                                QString::number(charOffset(format)),
                                                colorText(format.foreground()),
                                                colorText(format.background()),
                                                charLink(format),
                                                QString::number(format.boolProperty(CharHidden)),
                                                QString::number(charLanguage(format)),
                                                QString::number(charNoProof(format))}
                                        .join(u'|');
            if (!formats.isEmpty() && formats.last() == summary) {
                texts.last() += it.fragment().text();
                continue;
            }
            texts.append(it.fragment().text());
            formats.append(summary);
        }
    }
    QStringList lines;
    for (qsizetype index = 0; index < texts.size(); ++index)
        lines.append(texts.at(index) + u'\t' + formats.at(index));
    return lines.join(u'\n').toStdString();
}

// Each paragraph with its format, list label and table cell.
std::string paragraphs(const QTextDocument& document)
{
    QStringList result;
    ListLabels labels;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        QString cell;
        if (const auto* table = qobject_cast<QTextTable*>(document.frameAt(block.position()))) {
            const QTextTableCell found = table->cellAt(block.position());
            cell = QStringLiteral("%1,%2 %3x%4")
                       .arg(found.row())
                       .arg(found.column())
                       .arg(found.rowSpan())
                       .arg(found.columnSpan());
        }
        QList<int> values{blockAlignment(format),       blockStartIndent(format), blockOffset(format),
                          blockRightIndent(format),     blockSpaceBefore(format), blockSpaceAfter(format),
                          blockLineSpacingRule(format), blockLineSpacing(format), ListLabels::levelOf(block),
                          int(format.pageBreakPolicy())};
        QStringList texts;
        for (int value : values)
            texts.append(QString::number(value));
        for (const QTextOption::Tab& tab : format.tabPositions())
            texts.append(u"tab "_qs + QString::number(pixelsToTwips(tab.position)));
        result.append(QStringList{block.text().left(12), texts.join(u','), labels.labelOf(block), cell}.join(
            u" | "_qs));
    }
    return result.join(u'\n').toStdString();
}

std::optional<QByteArray> part(const QByteArray& package, const QString& name)
{
    ZipArchive archive(package, qint64(64) << 20);
    return archive.read(name, qint64(64) << 20);
}

} // namespace

TEST(OfficeWriterTest, AWordDocumentReadsBackWithTheSameTextAndFormats)
{
    QTextDocument document;
    buildRichDocument(document);
    const QByteArray docx = written(document, false);

    QTextDocument read;
    DocxReader reader;
    ASSERT_TRUE(reader.read(docx, read)) << reader.errorString().toStdString();
    EXPECT_EQ(characters(read), characters(document));
    EXPECT_EQ(paragraphs(read), paragraphs(document));

    // The picture as it was kept, at its size; the note's text in its own part.
    const auto pictureAt = [](const QTextDocument& in) {
        const QString text = in.toPlainText();
        QTextCursor cursor(const_cast<QTextDocument*>(&in));
        cursor.setPosition(int(text.indexOf(QChar::ObjectReplacementCharacter)) + 1);
        return cursor.charFormat().toImageFormat();
    };
    EXPECT_EQ(pictureAt(read).property(ObjectPictureData), pictureAt(document).property(ObjectPictureData));
    EXPECT_EQ(pictureAt(read).width(), pictureAt(document).width());
    const std::optional<QByteArray> footnotes = part(docx, u"word/footnotes.xml"_qs);
    ASSERT_TRUE(footnotes);
    EXPECT_TRUE(footnotes->contains("Text poznámky") && footnotes->contains("<w:footnoteRef/>"))
        << footnotes->data();
    EXPECT_FALSE(footnotes->contains("\xEF\xB7\xAF")) << "the note's number mark is not text";
    const std::optional<QByteArray> endnotes = part(docx, u"word/endnotes.xml"_qs);
    ASSERT_TRUE(endnotes);
    EXPECT_TRUE(endnotes->contains("Koncová poznámka") && endnotes->contains("<w:endnoteRef/>"));
}

TEST(OfficeWriterTest, AnOpenDocumentTextHoldsTheSameContent)
{
    QTextDocument document;
    buildRichDocument(document);
    appendRtf(document, "{\\rtf1\\ansi vlastni{\\super *}{\\*\\footnote\\pard{\\super *} znacka}\\par}");
    const QByteArray odt = written(document, true);

    // The mimetype first and uncompressed: its name and value stand at fixed places.
    EXPECT_EQ(odt.mid(30, 8), "mimetype");
    EXPECT_EQ(odt.mid(38, 39), "application/vnd.oasis.opendocument.text");
    const std::optional<QByteArray> manifest = part(odt, u"META-INF/manifest.xml"_qs);
    ASSERT_TRUE(manifest);
    EXPECT_TRUE(manifest->contains("manifest:full-path=\"Pictures/image1.png\""));
    const std::optional<QByteArray> content = part(odt, u"content.xml"_qs);
    ASSERT_TRUE(content);
    for (const char* expected :
         {// Formats as automatic styles, spaces kept, the link and the picture in the line.
          "fo:font-weight=\"bold\"", "fo:font-style=\"italic\"", "style:text-underline-style=\"solid\"",
          "style:text-line-through-style=\"solid\"", "style:text-position=\"sub 58%\"",
          "style:text-position=\"super 58%\"", "style:text-position=\"21% 100%\"", "fo:color=\"#c00000\"",
          "fo:background-color=\"#ffff00\"", "fo:text-align=\"center\"", "fo:margin-left=\"36pt\"",
          "fo:text-indent=\"-18pt\"", "fo:line-height=\"150%\"", "fo:line-height=\"15pt\"",
          "style:line-height-at-least=\"14pt\"", "fo:break-before=\"page\"", "<text:tab/>",
          "text:display=\"none\"", "fo:language=\"en\" fo:country=\"US\"", "<text:line-break/>",
          "<text:a xlink:type=\"simple\" xlink:href=\"https://example.cz/\">",
          "<draw:image xlink:href=\"Pictures/image1.png\"", "svg:width=\"30pt\"",
          // The nested list: its levels' kinds, labels and start, the second level inside an item.
          "<text:list-level-style-number text:level=\"1\" style:num-prefix=\"\" style:num-suffix=\".\" "
          "style:num-format=\"1\" text:start-value=\"3\"",
          "text:level=\"2\" style:num-prefix=\"\" style:num-suffix=\")\" style:num-format=\"a\"",
          "první</text:p><text:list><text:list-item",
          // The note in its place, the table's merged cells.
          "<text:note text:id=\"ftn1\" "
          "text:note-class=\"footnote\"><text:note-citation>1</text:note-citation>"
          "<text:note-body><text:p",
          "Text poznámky", "table:number-columns-spanned=\"2\"", "table:number-rows-spanned=\"2\"",
          "<table:covered-table-cell/>"})
        EXPECT_TRUE(content->contains(expected)) << expected;
    EXPECT_EQ(content->count("<table:covered-table-cell/>"), 2);
    EXPECT_TRUE(content->contains("<text:note text:id=\"ftn2\" text:note-class=\"endnote\">"));
    // A note's own sign stands as its citation; its text does not show it again.
    EXPECT_TRUE(content->contains("<text:note-citation text:label=\"*\">*</text:note-citation>"));
    EXPECT_EQ(content->count('*'), 2);
}

TEST(OfficeWriterTest, ADeviceThatCannotBeWrittenFailsTheWrite)
{
    QTextDocument document;
    document.setPlainText(u"text"_qs);
    QByteArray bytes;
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    DocxWriter docx;
    EXPECT_FALSE(docx.write(document, readOnly));
    EXPECT_FALSE(docx.errorString().isEmpty());
    OdtWriter odt;
    EXPECT_FALSE(odt.write(document, readOnly));
    EXPECT_FALSE(odt.errorString().isEmpty());
}

TEST(OfficeWriterTest, AMetafileTheEditorCannotShowIsWrittenAsTheMetafile)
{
    // A Windows metafile's header and its end record, 12 x 7 mm.
    const QByteArray metafile = QByteArray::fromHex("0100090000030c00000000000300000000000300000000000000");
    QTextDocument document;
    appendRtf(document, "{\\rtf1\\ansi {\\pict\\wmetafile8\\picw1200\\pich700\\picwgoal680\\pichgoal397 " +
                            metafile.toHex() + "}\\par}");
    for (const auto& [odt, name] :
         {std::pair{false, "word/media/image1.wmf"}, std::pair{true, "Pictures/image1.wmf"}}) {
        const std::optional<QByteArray> picture = part(written(document, odt), QString::fromLatin1(name));
        ASSERT_TRUE(picture) << name;
        // A placeable header (its key, then the frame of 1200 x 700 hundredths of a millimetre) before it.
        EXPECT_TRUE(picture->startsWith(QByteArray::fromHex("d7cdc69a000000000000b004bc02"))) << name;
        EXPECT_EQ(picture->mid(22), metafile) << name;
    }
}
