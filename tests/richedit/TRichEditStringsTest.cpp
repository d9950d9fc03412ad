#include "richedit/TRichEditStrings.h"

#include "editcontrol/RichEditControl.h"
#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>

#include "tests/EditorFormat.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A device that hands out at most one byte per read, so that every CR LF pair
// of its content falls across two chunks.
class TrickleDevice : public QBuffer
{
public:
    explicit TrickleDevice(const QByteArray& content)
    {
        setData(content);
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char* data, qint64 size) override
    {
        return QBuffer::readData(data, std::min<qint64>(size, 1));
    }
};

class FailingConversion : public TConversion
{
public:
    int ReadChunk(QIODevice&, char*, int) override { return -1; }
    int WriteChunk(QIODevice& stream, const char* buffer, int size) override
    {
        // Part of the document reaches the file, then the disk is "full".
        stream.write(buffer, std::min(size, 10));
        return -1;
    }
};

class LinesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetEditorLibraryVersion(3);
        editor.resize(500, 300);
    }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QByteArray readFile(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    TZvRichEdit editor;
    TRichEditStrings& lines = editor.Lines();
    QTemporaryDir folder;
};

TEST_F(LinesTest, CountDoesNotCountTheEmptyLastLine)
{
    EXPECT_EQ(lines.Count(), 0);
    editor.setText(QStringLiteral("jedna"));
    EXPECT_EQ(lines.Count(), 1);
    editor.setText(QStringLiteral("jedna\n"));
    EXPECT_EQ(lines.Count(), 1);
    editor.setText(QStringLiteral("jedna\ndva"));
    EXPECT_EQ(lines.Count(), 2);
    editor.setText(QStringLiteral("jedna\n\n"));
    EXPECT_EQ(lines.Count(), 2);
}

TEST_F(LinesTest, AddOnAnEmptyDocumentGivesOneLine)
{
    lines.Add(QStringLiteral("první"));
    EXPECT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Get(0), QStringLiteral("první"));
    EXPECT_EQ(editor.Text(), QStringLiteral("první\r\n"));
}

TEST_F(LinesTest, AddAfterALineWithoutBreakAddsTheBreakFirst)
{
    editor.setText(QStringLiteral("jediná"));
    lines.Add(QStringLiteral("nová"));
    EXPECT_EQ(editor.Text(), QStringLiteral("jediná\r\nnová"));
    EXPECT_EQ(lines.Count(), 2);
}

TEST_F(LinesTest, InsertPutAndDeleteWorkOnLinesAndIgnoreBadIndexes)
{
    lines.SetText(QStringLiteral("a\nb\nc"));
    lines.Insert(1, QStringLiteral("vložená"));
    EXPECT_EQ(lines.Strings(), (QStringList{"a", "vložená", "b", "c"}));
    lines.Put(2, QStringLiteral("B"));
    EXPECT_EQ(lines.Strings(), (QStringList{"a", "vložená", "B", "c"}));
    lines.Delete(0);
    EXPECT_EQ(lines.Strings(), (QStringList{"vložená", "B", "c"}));
    lines.Delete(2);
    EXPECT_EQ(lines.Strings(), (QStringList{"vložená", "B"}));

    lines.Put(-1, QStringLiteral("x"));
    lines.Put(9, QStringLiteral("x"));
    lines.Delete(-1);
    lines.Delete(9);
    lines.Insert(-1, QStringLiteral("x"));
    lines.Insert(9, QStringLiteral("x"));
    EXPECT_EQ(lines.Strings(), (QStringList{"vložená", "B"}));
}

TEST_F(LinesTest, LineChangesAreNotUndoable)
{
    lines.Add(QStringLiteral("řádek"));
    EXPECT_FALSE(editor.control()->CanUndo());
}

TEST_F(LinesTest, LongLineReadsAsItsFirst4096Characters)
{
    const QString line = QString(QLatin1Char('x')).repeated(4000) + QString(QLatin1Char('y')).repeated(1000);
    editor.setWordWrap(false);
    editor.setText(line + QStringLiteral("\nkrátký"));
    EXPECT_EQ(lines.Get(0), line.left(4096));
    EXPECT_EQ(lines.Get(1), QStringLiteral("krátký"));
}

TEST_F(LinesTest, TextAssignmentSplitsOnEveryKindOfBreak)
{
    lines.SetText(QStringLiteral("a\r\nb\rc\nd\n"));
    EXPECT_EQ(lines.Strings(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(lines.Text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    lines.SetText(QStringLiteral("\nprázdný první"));
    EXPECT_EQ(lines.Strings(), (QStringList{"", "prázdný první"}));
}

TEST_F(LinesTest, TextAssignmentRaisesNoChangeEvents)
{
    int changes = 0;
    editor.OnChange = [&](TZvCustomRichEdit*) { ++changes; };
    editor.control(); // the control exists before the assignment
    lines.SetText(QStringLiteral("a\nb"));
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(editor.control()->GetEventMask() & ENM_CHANGE) << "notifications are on again afterwards";
}

TEST_F(LinesTest, AssignDetachesTheSelectionHandlerDuringTheCopy)
{
    TZvRichEdit source;
    source.setText(QStringLiteral("x\ny"));
    int selectionChanges = 0;
    editor.OnSelectionChange = [&](TZvCustomRichEdit*) { ++selectionChanges; };
    lines.Assign(source.Lines());
    EXPECT_EQ(lines.Strings(), (QStringList{"x", "y"}));
    EXPECT_EQ(selectionChanges, 0);
    editor.SelectRange(0, 1, false);
    EXPECT_EQ(selectionChanges, 1) << "the handler is back";
}

TEST_F(LinesTest, CrLfSplitAcrossChunksIsOneBreak)
{
    TrickleDevice device(QByteArray("první\r\ndruhý\r\ntřetí"));
    lines.setStreamFormat(TRichStreamFormat::sfPlainText);
    lines.LoadFromStream(device);
    EXPECT_EQ(editor.control()->document()->blockCount(), 3);
    EXPECT_EQ(lines.Strings(), (QStringList{"první", "druhý", "třetí"}));
}

TEST_F(LinesTest, LfOnlyAndCrOnlyFilesGiveOneBreakEach)
{
    lines.LoadFromFile(writeFile("lf.txt", "a\nb\n\nc"));
    EXPECT_EQ(lines.Strings(), (QStringList{"a", "b", "", "c"}));
    lines.LoadFromFile(writeFile("cr.txt", "a\rb\r\rc"));
    EXPECT_EQ(lines.Strings(), (QStringList{"a", "b", "", "c"}));
}

TEST_F(LinesTest, TxtHoldingRtfShowsTheSource)
{
    const QByteArray rtf = "{\\rtf1\\ansi {\\b tu\\'e8n\\'fd}}";
    lines.LoadFromFile(writeFile("zdroj.txt", rtf));
    EXPECT_EQ(editor.Text(), QString::fromLatin1(rtf));
}

TEST_F(LinesTest, RtfHoldingPlainTextShowsTheText)
{
    lines.LoadFromFile(writeFile("text.rtf", "obyčejný text\r\ndruhý řádek"));
    EXPECT_EQ(lines.Strings(), (QStringList{"obyčejný text", "druhý řádek"}));
    EXPECT_EQ(lines.StreamFormat(), TRichStreamFormat::sfDefault) << "the format is restored after the call";
}

TEST_F(LinesTest, OtherExtensionsFollowPlainText)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250 {\\b tu\\'e8n\\'fd} text}";
    lines.LoadFromFile(writeFile("dokument.zvd", rtf));
    EXPECT_EQ(editor.Text(), QStringLiteral("tučný text"));
    editor.SetPlainText(true);
    lines.LoadFromFile(writeFile("dokument2.zvd", rtf));
    EXPECT_EQ(editor.Text(), QString::fromLatin1(rtf));
}

TEST_F(LinesTest, AfterALoadTheCaretIsAtTheStartAndTheModifiedFlagIsUntouched)
{
    const QString plain = writeFile("novy.txt", "nový obsah");
    const QString rich = writeFile("novy.rtf", "{\\rtf1\\ansi nov\\'fd obsah}");
    for (const bool modified : {false, true}) {
        for (const QString& path : {plain, rich}) {
            editor.setText(QStringLiteral("staré"));
            editor.setIsModified(modified);
            editor.SelectRange(3, 3, false);
            lines.LoadFromFile(path);
            EXPECT_EQ(editor.Text(), QStringLiteral("nový obsah"));
            EXPECT_EQ(editor.SelectionStart(), 0);
            EXPECT_EQ(editor.SelectionLength(), 0);
            EXPECT_EQ(editor.IsModified(), modified) << path.toStdString();
        }
    }
}

TEST_F(LinesTest, PlainTextLoadsInTheDefaultFormatNotInTheOldDocumentsLast)
{
    const QString red =
        writeFile("cervena.rtf", "{\\rtf1\\ansi\\ansicpg1250{\\colortbl ;\\red255\\green0\\blue0;}"
                                 "oby\\'e8ejn\\'fd\\par\\pard\\qc"
                                 "{\\b\\cf1\\fs40 \\'e8erven\\'fd tu\\'e8n\\'fd}}");
    const QString plain = writeFile("prosty.txt", "prostý\r\ntext");
    CHARFORMAT2A defaults;
    editor.control()->GetCharFormat(SCF_DEFAULT, defaults);
    const std::function<void()> plainLoads[] = {
        [&] { lines.LoadFromFile(plain); },
        [&] { editor.setText(QStringLiteral("prostý\ntext")); },
    };
    for (const auto& loadPlainText : plainLoads) {
        lines.LoadFromFile(red);
        ASSERT_TRUE(editor.Text().endsWith(QStringLiteral("červený tučný")));
        loadPlainText();
        ASSERT_EQ(lines.Strings(), (QStringList{"prostý", "text"}));
        for (const int position : {0, 9}) {
            editor.SelectRange(position, position + 1, false);
            CHARFORMAT2A format;
            editor.control()->GetCharFormat(SCF_SELECTION, format);
            EXPECT_EQ(format.dwEffects, defaults.dwEffects) << position;
            EXPECT_EQ(format.yHeight, defaults.yHeight) << position;
            PARAFORMAT2 paragraph;
            editor.control()->GetParaFormat(paragraph);
            EXPECT_EQ(paragraph.wAlignment, PFA_LEFT) << position;
        }
    }
}

TEST_F(LinesTest, SavingAsTxtLeavesPicturesOut)
{
    QImage dot(2, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    dot.save(&pngBuffer, "PNG");
    lines.LoadFromFile(
        writeFile("obrazek.rtf", "{\\rtf1\\ansi\\ansicpg1250 p\\'f8ed {\\pict\\pngblip\\picw2\\pich2 " +
                                     png.toHex() + "} za\\par {\\pict\\pngblip " + png.toHex() + "}konec}"));
    ASSERT_EQ(editor.Text().count(QChar::ObjectReplacementCharacter), 2)
        << "the pictures are in the document";
    for (const TRichStreamModes mode : {TRichStreamModes(0), TRichStreamModes(smUnicode)}) {
        lines.setStreamMode(mode);
        const QString path = folder.filePath("prosty.txt");
        lines.SaveToFile(path);
        const QString expected = QStringLiteral("před  za\r\nkonec");
        EXPECT_EQ(readFile(path),
                  mode == smUnicode
                      ? QByteArray(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2)
                      : expected.toUtf8());
    }
}

TEST_F(LinesTest, RichTextRoundTripKeepsFormatting)
{
    editor.setText(QStringLiteral("Tučně a normálně\nŽluťoučký kůň"));
    makeBold(editor, 0, 5);
    const QString path = folder.filePath("dokument.rtf");
    lines.SaveToFile(path);
    ASSERT_TRUE(readFile(path).startsWith("{\\rtf1"));

    TZvRichEdit other;
    other.Lines().LoadFromFile(path);
    EXPECT_EQ(other.Text(), editor.Text());
    other.SelectRange(1, 2, false);
    CHARFORMAT2A format;
    other.control()->GetCharFormat(SCF_SELECTION, format);
    EXPECT_TRUE(format.dwEffects & CFE_BOLD);
    other.SelectRange(7, 8, false);
    other.control()->GetCharFormat(SCF_SELECTION, format);
    EXPECT_FALSE(format.dwEffects & CFE_BOLD);
}

TEST_F(LinesTest, SavingAsTxtWritesPlainTextOfARichDocument)
{
    editor.setText(QStringLiteral("Tučný\nřádek"));
    makeBold(editor, 0, 5);
    const QString path = folder.filePath("prosty.txt");
    lines.SaveToFile(path);
    EXPECT_EQ(readFile(path), QStringLiteral("Tučný\r\nřádek").toUtf8());
    EXPECT_TRUE(isBoldAt(editor, 1)) << "the document keeps its formatting";
}

TEST_F(LinesTest, FailedSaveLeavesThePreviousFileUntouched)
{
    const QString path = writeFile("dulezity.rtf", "{\\rtf1 puvodni obsah}");
    editor.setText(QString(QStringLiteral("nový obsah ")).repeated(1000));
    lines.setConverter(std::make_unique<FailingConversion>());
    try {
        lines.SaveToFile(path);
        FAIL() << "the save should fail";
    } catch (const EOutOfResources& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Failed to Save Stream"));
    }
    EXPECT_EQ(readFile(path), QByteArray("{\\rtf1 puvodni obsah}"));
    EXPECT_EQ(lines.Converter(), nullptr) << "the converter is freed after a failure";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"dulezity.rtf"}) << "no temporary left";
}

TEST_F(LinesTest, SaveIntoAMissingFolderRaisesACreateError)
{
    editor.setText(QStringLiteral("text"));
    EXPECT_THROW(lines.SaveToFile(folder.filePath("neni/soubor.rtf")), EFCreateError);
}

TEST_F(LinesTest, LoadingAMissingFileRaisesAnOpenErrorAndKeepsTheDocument)
{
    editor.setText(QStringLiteral("zůstává"));
    EXPECT_THROW(lines.LoadFromFile(folder.filePath("neni.rtf")), EFOpenError);
    EXPECT_EQ(editor.Text(), QStringLiteral("zůstává"));
}

TEST_F(LinesTest, StreamThatFailsBothWaysRaisesLoadError)
{
    lines.setConverter(std::make_unique<FailingConversion>());
    QBuffer buffer;
    buffer.open(QIODevice::ReadOnly);
    try {
        lines.LoadFromStream(buffer);
        FAIL() << "the load should fail";
    } catch (const EOutOfResources& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Failed to Load Stream"));
    }
}

TEST_F(LinesTest, SelectionModeLoadsIntoTheSelection)
{
    editor.setText(QStringLiteral("začátek konec"));
    editor.SelectRange(8, 8, false);
    lines.setStreamMode(smSelection);
    lines.setStreamFormat(TRichStreamFormat::sfPlainText);
    QBuffer buffer;
    buffer.setData("střed ");
    buffer.open(QIODevice::ReadOnly);
    lines.LoadFromStream(buffer);
    EXPECT_EQ(editor.Text(), QStringLiteral("začátek střed konec"));
}

TEST_F(LinesTest, UnicodeModeStreamsUtf16)
{
    editor.setText(QStringLiteral("ř€"));
    lines.setStreamFormat(TRichStreamFormat::sfPlainText);
    lines.setStreamMode(smUnicode);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    lines.SaveToStream(buffer);
    EXPECT_EQ(buffer.data(), QByteArray("\x59\x01\xAC\x20", 4));
}

} // namespace
