// Word and OpenDocument documents through Lines: read by their extension, also between RTF
// files loaded by the same editor; a document that cannot be read fails the load with the
// editor as it was; saving writes the format the extension names.

#include "richedit/TOfficeConversion.h"

#include "tests/EditorFormat.h"
#include "tests/office/ZipParts.h"

#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

class TOfficeConversionTest : public ::testing::Test
{
protected:
    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    static QByteArray corpusFile()
    {
        QFile file(QStringLiteral(ZORVAN_TEST_DATA "office/libreoffice-struktura.docx"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    TZvRichEdit editor;
    TRichEditStrings& lines = editor.Lines();
    QTemporaryDir folder;
};

TEST_F(TOfficeConversionTest, WordDocumentsAndRtfFilesLoadInAnyOrder)
{
    const QString docx = writeFile(QStringLiteral("zapis.docx"), corpusFile());
    lines.LoadFromFile(writeFile(QStringLiteral("prvni.rtf"), "{\\rtf1 prvni}"));
    EXPECT_EQ(editor.Text(), QStringLiteral("prvni"));
    lines.LoadFromFile(docx);
    EXPECT_TRUE(editor.Text().startsWith(QStringLiteral("Zápis z porady\r")))
        << editor.Text().left(40).toStdString();
    lines.LoadFromFile(writeFile(QStringLiteral("druhy.zvd"), "{\\rtf1 druhy}"));
    EXPECT_EQ(editor.Text(), QStringLiteral("druhy"));
    lines.LoadFromFile(docx);
    EXPECT_TRUE(editor.Text().contains(QStringLiteral("podpisy účastníků")));
}

TEST_F(TOfficeConversionTest, AWordDocumentThatCannotBeReadFailsTheLoadAndKeepsTheEditor)
{
    const QByteArray good = corpusFile();
    QByteArray damaged = good;
    for (qsizetype at = damaged.size() / 4; at < damaged.size() / 2; at += 7)
        damaged[at] = char(~damaged[at]);
    for (const QByteArray& bytes : {good.left(good.size() / 2), damaged}) {
        editor.setText(QStringLiteral("rozepsaný dopis"));
        try {
            lines.LoadFromFile(writeFile(QStringLiteral("vadny.docx"), bytes));
            ADD_FAILURE() << "the load should fail";
        } catch (const EOutOfResources& error) {
            EXPECT_EQ(error.message(), QStringLiteral("Failed to Load Stream"));
        }
        EXPECT_EQ(editor.Text(), QStringLiteral("rozepsaný dopis"));
        EXPECT_EQ(lines.Converter(), nullptr);
    }
}

// The package is read straight into the editor's document: XML that breaks off after the
// first paragraph has already put text there, which must give way to what the editor held.
TEST_F(TOfficeConversionTest, AWordDocumentBrokenHalfwayPutsBackTheFormattedText)
{
    const QByteArray broken = zipParts(
        {{QStringLiteral("word/document.xml"),
          "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
          "<w:p><w:r><w:t>cizí text</w:t></w:r></w:p><w:p><w:r><w:t>zlom"}});
    lines.LoadFromFile(writeFile(QStringLiteral("dopis.rtf"), "{\\rtf1 {\\b tucny} dopis}"));
    EXPECT_THROW(lines.LoadFromFile(writeFile(QStringLiteral("zlomeny.docx"), broken)), EOutOfResources);
    EXPECT_EQ(editor.Text(), QStringLiteral("tucny dopis"));
    EXPECT_TRUE(isBoldAt(editor, 1));
    EXPECT_FALSE(isBoldAt(editor, 7));
}

TEST_F(TOfficeConversionTest, SavingWritesTheFormatTheExtensionNamesAndReadsBack)
{
    lines.LoadFromFile(writeFile(QStringLiteral("zapis.docx"), corpusFile()));
    const QString text = editor.Text();
    for (const QString& name : {QStringLiteral("kopie.odt"), QStringLiteral("kopie.docx")}) {
        const QString path = folder.filePath(name);
        lines.SaveToFile(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.contains("opendocument.text"), name.endsWith(QLatin1String("odt")))
            << name.toStdString();
        QTextDocument document;
        QString error;
        ASSERT_TRUE(OfficeDocument::read(bytes, document, error)) << error.toStdString();
        editor.setText(QString());
        lines.LoadFromFile(path);
        EXPECT_EQ(editor.Text(), text) << name.toStdString();
    }
    // Opened as a Word document and saved under a name of another kind: RTF, not a package.
    for (const QString& name : {QStringLiteral("kopie.rtf"), QStringLiteral("kopie.zvd")}) {
        lines.SaveToFile(folder.filePath(name));
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith("{\\rtf1")) << name.toStdString();
    }
}

} // namespace
