// Footnotes and endnotes of a Word document: read as the RTF reader reads notes, their marks
// in the text, their texts after it in plain text, and written to RTF as notes.

#include "tests/office/ZipParts.h"

#include "richedit/TZvRichEdit.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray part(const char* root, const QByteArray& content)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:" + QByteArray(root) +
           " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">" + content +
           "</w:" + root + ">";
}

QByteArray relationship(const char* id, const char* kind, const char* target)
{
    return QByteArray("<Relationship Id=\"") + id +
           "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + kind +
           "\" Target=\"" + target + "\"/>";
}

// Word's notes: separators, the automatic mark (footnoteRef) before the text, a custom mark
// that the note's text starts with.
QByteArray documentWithNotes()
{
    const QByteArray superscript = "<w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr>";
    const QByteArray footnotes = part(
        "footnotes",
        "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
        "<w:footnote w:type=\"continuationSeparator\" w:id=\"0\"><w:p><w:r><w:continuationSeparator/>"
        "</w:r></w:p></w:footnote>"
        "<w:footnote w:id=\"1\"><w:p><w:r>" +
            superscript +
            "<w:footnoteRef/></w:r><w:r><w:t "
            "xml:space=\"preserve\"> Pata </w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>čáry</w:t></w:r></w:p>"
            "<w:p><w:r><w:t>a dál.</w:t></w:r></w:p></w:footnote>"
            "<w:footnote w:id=\"2\"><w:p><w:r>" +
            superscript +
            "<w:t>*</w:t></w:r><w:r><w:t "
            "xml:space=\"preserve\"> Hvězdička.</w:t></w:r></w:p></w:footnote>");
    const QByteArray endnotes = part("endnotes", "<w:endnote w:id=\"1\"><w:p><w:r><w:endnoteRef/></w:r>"
                                                 "<w:r><w:t>Vysvětlivka.</w:t></w:r></w:p></w:endnote>");
    const QByteArray document =
        part("document", "<w:body><w:p><w:r><w:t>První</w:t></w:r><w:r>" + superscript +
                             "<w:footnoteReference w:id=\"1\"/></w:r><w:r><w:t xml:space=\"preserve\"> druhá"
                             "</w:t></w:r><w:r>" +
                             superscript +
                             "<w:endnoteReference w:id=\"1\"/></w:r>"
                             "<w:r><w:t xml:space=\"preserve\"> třetí</w:t></w:r><w:r>" +
                             superscript +
                             "<w:footnoteReference w:customMarkFollows=\"1\" w:id=\"2\"/><w:t>*</w:t></w:r>"
                             "</w:p><w:p><w:r><w:t>Konec</w:t><w:footnoteReference w:id=\"7\"/></w:r></w:p>"
                             "</w:body>");
    return zipParts(
        {{QStringLiteral("word/document.xml"), document},
         {QStringLiteral("word/footnotes.xml"), footnotes},
         {QStringLiteral("word/endnotes.xml"), endnotes},
         {QStringLiteral("word/_rels/document.xml.rels"),
          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
              relationship("rId1", "footnotes", "footnotes.xml") +
              relationship("rId2", "endnotes", "endnotes.xml") + "</Relationships>"}});
}

QByteArray save(TZvRichEdit& editor, TRichStreamFormat format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    editor.Lines().setStreamFormat(format);
    editor.Lines().SaveToStream(buffer);
    return buffer.data();
}

TEST(TDocxNotesTest, NotesShowAsRtfNotesInTheTextInPlainTextAndInRtf)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("poznamky.docx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(documentWithNotes());
    file.close();
    TZvRichEdit editor;
    editor.Lines().LoadFromFile(path);
    // A reference to a note the document lacks is an empty note's.
    EXPECT_EQ(editor.Text(), QStringLiteral("První1 druhái třetí*\r\nKonec2"));
    const QString plain =
        QStringLiteral("První1 druhái třetí*\r\nKonec2\r\n\r\n__________\r\n"
                       "[1] Pata čáry a dál.\r\n[*] Hvězdička.\r\n[2] \r\n[i] Vysvětlivka.");
    EXPECT_EQ(QString::fromUtf8(save(editor, TRichStreamFormat::sfPlainText)), plain);

    const QByteArray rtf = save(editor, TRichStreamFormat::sfRichText);
    EXPECT_EQ(rtf.count("\\chftn {\\footnote "), 3) << rtf.constData();
    EXPECT_EQ(rtf.count("{\\footnote \\ftnalt"), 1) << rtf.constData();
    EXPECT_EQ(rtf.count("*{\\footnote "), 1) << rtf.constData();
    TZvRichEdit reloaded;
    QBuffer buffer;
    buffer.setData(rtf);
    buffer.open(QIODevice::ReadOnly);
    reloaded.Lines().setStreamFormat(TRichStreamFormat::sfRichText);
    reloaded.Lines().LoadFromStream(buffer);
    EXPECT_EQ(QString::fromUtf8(save(reloaded, TRichStreamFormat::sfPlainText)), plain);
}

} // namespace
