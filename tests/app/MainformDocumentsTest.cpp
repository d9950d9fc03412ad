// New, Open, Save and Save As of the main window, with every answer to
// "Uložit změny?" and the plain-text rules of the file types.

#include "tests/app/MainformFixture.h"
#include "tests/EditorFormat.h"

#include "editcontrol/RichEditControl.h"
#include "office/OfficeDocument.h"
#include "platform/ZvExceptions.h"
#include "widgets/TIntSpinEdit.h"

#include <QFile>
#include <QTextDocument>
#include <QToolButton>

#include <sys/stat.h>

namespace {

constexpr int RichTextType = 1;      // "Textové dokumenty(*.rtf;*.doc;*.zvd)"
constexpr int PlainTextSaveType = 4; // "Neformátovaný text(*.txt)"

const QByteArray FormattedRtf =
    "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0 {\\b tu\\'e8n\\'fd} text\\par}";

class MainformDocumentsTest : public MainformFixture
{
protected:
    TMainform& window()
    {
        if (!form) {
            createForm().show();
        }
        return *form;
    }

    // A window whose unnamed document has unsaved changes.
    TMainform& changedWindow(const QString& text = QStringLiteral("rozepsaný dopis"))
    {
        TMainform& w = window();
        w.editor->setText(text);
        w.editor->setIsModified(true);
        return w;
    }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = programPath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int prompts() const
    {
        int count = 0;
        for (const QString& text : desktop.messageTexts())
            count += text == QStringLiteral("Uložit změny?");
        return count;
    }

    size_t saveDialogs() const { return desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog).size(); }
};

TEST_F(MainformDocumentsTest, TheWordTypeOpensAWordDocumentWithItsFormatting)
{
    constexpr int OfficeType = 6; // "Dokumenty Word a OpenDocument (*.docx;*.odt)"
    const QString path = programPath(QStringLiteral("pismo.docx"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZORVAN_TEST_DATA "office/libreoffice-pismo.docx"), path));
    TMainform& w = createActiveForm();
    desktop.queueFileDialogAnswer(path, OfficeType);
    QTest::keyClick(w.editor->control(), Qt::Key_O, Qt::ControlModifier);
    const QString text = w.editor->Text();
    ASSERT_TRUE(text.startsWith(QStringLiteral("Vlastnosti písma"))) << text.left(40).toStdString();
    EXPECT_FALSE(w.editor->PlainText());
    const int bold =
        int(QString(text).remove(u'\r').indexOf(QStringLiteral("Tučně"))); // a break is one position
    EXPECT_TRUE(isBoldAt(*w.editor, bold + 1));
}

// The blocker of office files: Save and the autosave of a document opened or saved as a Word
// document wrote RTF into it, which no word processor opens as Word.
TEST_F(MainformDocumentsTest, WordAndOpenDocumentTypesSaveTheirFormatAndSaveKeepsIt)
{
    constexpr int WordSaveType = 5;         // "Dokument Word (*.docx)"
    constexpr int OpenDocumentSaveType = 6; // "Dokument OpenDocument (*.odt)"
    TMainform& w = createActiveForm();
    QTest::keyClick(w.editor->control(), Qt::Key_B, Qt::ControlModifier);
    QTest::keyClicks(w.editor->control(), QStringLiteral("Tucne"));
    const QString docx = programPath(QStringLiteral("dopis.docx"));
    desktop.queueFileDialogAnswer(docx, WordSaveType);
    chooseFromMenu(w.Soubor1, w.Uloitjako1);
    QTest::keyClicks(w.editor->control(), QStringLiteral(" dal"));
    QTest::keyClick(w.editor->control(), Qt::Key_S, Qt::ControlModifier);
    QTextDocument saved;
    QString error;
    ASSERT_TRUE(OfficeDocument::read(bytesOf(docx), saved, error)) << error.toStdString();
    EXPECT_EQ(saved.toPlainText(), QStringLiteral("Tucne dal"));

    const QString odt = programPath(QStringLiteral("dopis.odt"));
    desktop.queueFileDialogAnswer(odt, OpenDocumentSaveType);
    chooseFromMenu(w.Soubor1, w.Uloitjako1);
    EXPECT_TRUE(bytesOf(odt).contains("application/vnd.oasis.opendocument.text"));
    QTest::keyClick(w.editor->control(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w.editor->Text(), QString());
    desktop.queueFileDialogAnswer(odt, 6);
    QTest::keyClick(w.editor->control(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("Tucne dal"));
    EXPECT_TRUE(isBoldAt(*w.editor, 1));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zorvan - ") + odt);
}

// Found trying the program: after Open the tool bar went on showing the format the caret had
// in the previous document until the first arrow key or click.
TEST_F(MainformDocumentsTest, AfterOpenTheToolBarShowsTheFormatAtTheCaret)
{
    const QString path =
        writeFile(QStringLiteral("nadpis.rtf"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 DejaVu Serif;}}"
                                                "\\pard\\f1\\fs40\\b Nadpis\\par}");
    TMainform& w = createActiveForm();
    desktop.queueFileDialogAnswer(path, RichTextType);
    QTest::keyClick(w.editor->control(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(w.editor->Text(), QStringLiteral("Nadpis"));
    EXPECT_EQ(w.fontybox->FontName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(w.velikostpisma->value(), 20);
    EXPECT_TRUE(w.tucne->isChecked());
}

TEST_F(MainformDocumentsTest, OpenWithTheRichTypeLoadsFormattedText)
{
    const QString path = writeFile(QStringLiteral("dopis.zvd"), FormattedRtf);
    desktop.queueFileDialogAnswer(path, RichTextType);
    window().otevritClick(window().otevrit);
    EXPECT_EQ(form->editor->Text(), QStringLiteral("tučný text"));
    EXPECT_TRUE(isBoldAt(*form->editor, 1));
    EXPECT_EQ(form->CurrentFileName, path);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zorvan - ") + path);
    EXPECT_FALSE(form->editor->IsModified());
    EXPECT_FALSE(form->editor->PlainText());
    EXPECT_EQ(prompts(), 0) << "nothing to save, nothing asked";
}

TEST_F(MainformDocumentsTest, OpenWithAnyOtherTypeLoadsPlainTextThenReturnsToRichText)
{
    const QString path = writeFile(QStringLiteral("zdroj.zvd"), FormattedRtf);
    for (int type : {2, 3, 4, 5}) {
        desktop.queueFileDialogAnswer(path, type);
        window().Otevt1Click(window().Otevt1);
        EXPECT_EQ(form->editor->Text(), QString::fromLatin1(FormattedRtf)) << "type " << type;
        EXPECT_FALSE(form->editor->PlainText()) << "type " << type;
        EXPECT_EQ(form->OpenDialog1.filterIndex, type) << "the dialog keeps the type between uses";
    }
}

TEST_F(MainformDocumentsTest, OpenWithChangesAnsweredCancelChangesNothing)
{
    TMainform& w = changedWindow();
    w.CurrentFileName = programPath(QStringLiteral("stary.zvd"));
    desktop.queueFileDialogAnswer(writeFile(QStringLiteral("jiny.txt"), "jiný"), RichTextType);
    desktop.queueMessageBoxAnswer(IDCANCEL);
    w.otevritClick(w.otevrit);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("rozepsaný dopis"));
    EXPECT_EQ(w.CurrentFileName, programPath(QStringLiteral("stary.zvd")));
    EXPECT_TRUE(w.editor->IsModified());
}

TEST_F(MainformDocumentsTest, CancelledOpenDialogAsksNothingAndChangesNothing)
{
    TMainform& w = changedWindow();
    desktop.queueFileDialogCancel();
    w.otevritClick(w.otevrit);
    EXPECT_EQ(prompts(), 0);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("rozepsaný dopis"));
    EXPECT_TRUE(w.editor->IsModified());
}

TEST_F(MainformDocumentsTest, OpenWithChangesAnsweredNoLoadsWithoutSaving)
{
    TMainform& w = changedWindow();
    const QString path = writeFile(QStringLiteral("novy.txt"), "nový obsah");
    desktop.queueFileDialogAnswer(path, 4);
    desktop.queueMessageBoxAnswer(IDNO);
    w.otevritClick(w.otevrit);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("nový obsah"));
    EXPECT_EQ(saveDialogs(), 0u);
    EXPECT_FALSE(w.editor->PlainText());
    EXPECT_FALSE(w.editor->IsModified());
}

TEST_F(MainformDocumentsTest, OpenUnnamedWithChangesAnsweredYesShowsTheSaveDialogFirst)
{
    TMainform& w = changedWindow();
    const QString path = writeFile(QStringLiteral("otevri.txt"), "otevřený");
    desktop.queueFileDialogAnswer(path, 4);
    desktop.queueMessageBoxAnswer(IDYES);
    const QString saved = programPath(QStringLiteral("ulozeny.zvd"));
    desktop.queueFileDialogAnswer(saved, RichTextType);
    w.otevritClick(w.otevrit);
    ASSERT_EQ(saveDialogs(), 1u);
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog)[0].dialog.fileName,
              QStringLiteral("nový dokument"));
    EXPECT_EQ(documentTextOf(saved), QStringLiteral("rozepsaný dopis"));
    EXPECT_EQ(w.editor->Text(), QStringLiteral("otevřený"));
    EXPECT_TRUE(w.editor->PlainText()) << "the opening stops after the load: the mode stays";
    EXPECT_EQ(w.CurrentFileName, path);
}

// Yes means "keep my text": a save dialog cancelled after it keeps the
// document instead of dropping it.
TEST_F(MainformDocumentsTest, NewOrOpenAnsweredYesThenCancelledSaveDialogKeepsTheDocument)
{
    TMainform& w = createActiveForm();
    QTest::keyClicks(w.editor->control(), QStringLiteral("rozepsany dopis"));
    const QString other = writeFile(QStringLiteral("jiny.zvd"), FormattedRtf);
    for (Qt::Key command : {Qt::Key_N, Qt::Key_O}) {
        SCOPED_TRACE(command == Qt::Key_N ? "Ctrl+N" : "Ctrl+O");
        if (command == Qt::Key_O)
            desktop.queueFileDialogAnswer(other, RichTextType);
        desktop.queueMessageBoxAnswer(IDYES);
        desktop.queueFileDialogCancel(); // the save dialog
        QTest::keyClick(w.editor->control(), command, Qt::ControlModifier);
        EXPECT_EQ(w.editor->Text(), QStringLiteral("rozepsany dopis"));
        EXPECT_TRUE(w.editor->IsModified());
        EXPECT_TRUE(w.CurrentFileName.isEmpty());
        EXPECT_EQ(desktop.pendingAnswers(), 0);
    }
}

TEST_F(MainformDocumentsTest, OpenNamedWithChangesAnsweredYesSavesUnderItsName)
{
    TMainform& w = changedWindow(QStringLiteral("uložit mě"));
    const QString old = programPath(QStringLiteral("puvodni.zvd"));
    w.CurrentFileName = old;
    desktop.queueFileDialogAnswer(writeFile(QStringLiteral("dalsi.zvd"), FormattedRtf), RichTextType);
    desktop.queueMessageBoxAnswer(IDYES);
    w.otevritClick(w.otevrit);
    EXPECT_EQ(saveDialogs(), 0u);
    EXPECT_EQ(documentTextOf(old), QStringLiteral("uložit mě"));
    EXPECT_EQ(w.editor->Text(), QStringLiteral("tučný text"));
}

TEST_F(MainformDocumentsTest, FailedOpenKeepsThePreviousNameAndText)
{
    TMainform& w = window();
    const QString previous = writeFile(QStringLiteral("platny.zvd"), FormattedRtf);
    desktop.queueFileDialogAnswer(previous, RichTextType);
    w.otevritClick(w.otevrit);
    const QString title = w.windowTitle();

    desktop.queueFileDialogAnswer(programPath(QStringLiteral("neexistuje.zvd")), RichTextType);
    EXPECT_THROW(w.otevritClick(w.otevrit), EFOpenError);
    EXPECT_EQ(w.CurrentFileName, previous) << "a later save must not write over the unread file";
    EXPECT_EQ(w.editor->Text(), QStringLiteral("tučný text"));
    EXPECT_EQ(w.windowTitle(), title);
    EXPECT_FALSE(QFile::exists(programPath(QStringLiteral("neexistuje.zvd"))));
}

// A file that cannot be read: missing, one that opens but fails to read
// (tests run as root, where permissions stop no read), or a Word document
// whose archive is cut off.
struct UnreadableFile
{
    const char* name;
    QString (*path)(const QString& folder);
    const char* error; // the class of the exception
    friend void PrintTo(const UnreadableFile& file, std::ostream* out) { *out << file.name; }
};

QString truncatedWordDocument(const QString& folder)
{
    QFile source(QStringLiteral(ZORVAN_TEST_DATA "office/libreoffice-pismo.docx"));
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    QFile file(folder + QStringLiteral("useknuty.docx"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.left(bytes.size() / 2));
    return file.fileName();
}

class MainformFailedOpenTest : public MainformDocumentsTest,
                               public ::testing::WithParamInterface<UnreadableFile>
{
};

TEST_P(MainformFailedOpenTest, LeavesTheFormattedDocumentExactlyAsItWas)
{
    TMainform& w = window();
    const QString previous = writeFile(QStringLiteral("formatovany.zvd"), FormattedRtf);
    desktop.queueFileDialogAnswer(previous, RichTextType);
    w.otevritClick(w.otevrit);
    w.editor->setIsModified(true);
    const QString title = w.windowTitle();

    desktop.queueFileDialogAnswer(GetParam().path(programFolder()), PlainTextSaveType);
    desktop.queueMessageBoxAnswer(IDNO);
    try {
        w.otevritClick(w.otevrit);
        ADD_FAILURE() << "the open should fail";
    } catch (const Exception& error) {
        EXPECT_EQ(error.className(), QLatin1String(GetParam().error));
    }
    EXPECT_EQ(w.editor->Text(), QStringLiteral("tučný text"));
    EXPECT_TRUE(isBoldAt(*w.editor, 1)) << "the formatting stays";
    EXPECT_FALSE(w.editor->PlainText());
    EXPECT_TRUE(w.editor->IsModified());
    EXPECT_EQ(w.CurrentFileName, previous);
    EXPECT_EQ(w.windowTitle(), title);
}

INSTANTIATE_TEST_SUITE_P(
    , MainformFailedOpenTest,
    ::testing::Values(
        UnreadableFile{"Missing", [](const QString& folder) { return folder + QStringLiteral("chybi.txt"); },
                       "EFOpenError"},
        UnreadableFile{"OpensButFailsToRead", [](const QString&) { return QStringLiteral("/proc/self/mem"); },
                       "EFOpenError"},
        UnreadableFile{"DamagedWordDocument", truncatedWordDocument, "EOutOfResources"}),
    [](const ::testing::TestParamInfo<UnreadableFile>& info) { return std::string(info.param.name); });

// A folder, a device or a pipe is refused with a message before it is opened:
// /dev/zero would never end, and a pipe would wait for a writer.
TEST_F(MainformDocumentsTest, OpeningWhatIsNotAFileSaysSoAndLeavesTheDocument)
{
    TMainform& w = createActiveForm();
    QTest::keyClicks(w.editor->control(), QStringLiteral("text"));
    const QString pipe = programPath(QStringLiteral("roura"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {QStringLiteral("/dev/null"), pipe, programFolder()}) {
        SCOPED_TRACE(path.toStdString());
        desktop.queueFileDialogAnswer(path, PlainTextSaveType);
        QTest::keyClick(w.editor->control(), Qt::Key_O, Qt::ControlModifier);
        ASSERT_FALSE(desktop.messageTexts().isEmpty());
        EXPECT_TRUE(desktop.messageTexts().constLast().contains(QDir::toNativeSeparators(path)));
        EXPECT_EQ(prompts(), 0) << "nothing to open, nothing to ask";
        EXPECT_EQ(w.editor->Text(), QStringLiteral("text"));
        EXPECT_TRUE(w.CurrentFileName.isEmpty());
    }
    // Nor does the converter or a command line read it.
    TZvRichEdit reader;
    EXPECT_THROW(reader.Lines().LoadFromFile(QStringLiteral("/dev/zero")), EFOpenError);
}

// After Save As plain text the editor is in plain-text mode; opening a
// formatted document with the rich-text type must show its text, and a save
// must keep its formatting.
TEST_F(MainformDocumentsTest, RichTextOpenedAfterPlainTextModeShowsItsTextAndSavesItsFormat)
{
    TMainform& w = createActiveForm();
    QTest::keyClicks(w.editor->control(), QStringLiteral("poznamka"));
    desktop.queueFileDialogAnswer(programPath(QStringLiteral("poznamka.txt")), PlainTextSaveType);
    chooseFromMenu(w.Soubor1, w.Uloitjako1);
    ASSERT_TRUE(w.editor->PlainText());

    const QString letter = writeFile(QStringLiteral("dopis.zvd"), FormattedRtf);
    desktop.queueFileDialogAnswer(letter, RichTextType);
    QTest::keyClick(w.editor->control(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("tučný text"));
    EXPECT_TRUE(isBoldAt(*w.editor, 1));
    QTest::keyClick(w.editor->control(), Qt::Key_S, Qt::ControlModifier);
    TZvRichEdit reread;
    reread.Lines().LoadFromFile(letter);
    EXPECT_EQ(reread.Text(), QStringLiteral("tučný text"));
    EXPECT_TRUE(isBoldAt(reread, 1));
}

// Save As offers a named document under its own name, with the type that
// writes its extension; the type chosen last applies only to a new document.
TEST_F(MainformDocumentsTest, SaveAsProposesTheDocumentsOwnNameAndType)
{
    TMainform& w = createActiveForm();
    const struct
    {
        const char* name;
        int type;
    } documents[] = {{"dopis.rtf", 3}, {"DOPIS.DOC", 2}, {"plain.txt", 4}, {"zdroj.pas", 4}};
    for (const auto& document : documents) {
        SCOPED_TRACE(document.name);
        const QString path = writeFile(QString::fromLatin1(document.name), "obsah");
        desktop.queueFileDialogAnswer(path, 5);
        QTest::keyClick(w.editor->control(), Qt::Key_O, Qt::ControlModifier);
        desktop.queueFileDialogCancel();
        chooseFromMenu(w.Soubor1, w.Uloitjako1);
        const FileDialogOptions proposed =
            desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog).back().dialog;
        EXPECT_EQ(proposed.fileName, path);
        EXPECT_EQ(proposed.filterIndex, document.type) << "a name no type matches keeps the type chosen last";
    }
}

TEST_F(MainformDocumentsTest, SaveOfANewDocumentProposesNovyDokumentFromMenuAndButton)
{
    TMainform& w = changedWindow();
    desktop.queueFileDialogCancel();
    w.ulozitClick(w.ulozit);
    desktop.queueFileDialogCancel();
    w.uloit1Click(w.uloit1);
    const auto dialogs = desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog);
    ASSERT_EQ(dialogs.size(), 2u);
    for (const auto& call : dialogs) {
        EXPECT_EQ(call.dialog.fileName, QStringLiteral("nový dokument"));
        EXPECT_EQ(call.dialog.defaultExtension, QStringLiteral("zvd"));
        EXPECT_TRUE(call.dialog.overwritePrompt);
        EXPECT_EQ(call.dialog.filters.size(), 6u);
    }
    EXPECT_TRUE(w.editor->IsModified()) << "cancelled: still unsaved";
}

TEST_F(MainformDocumentsTest, SaveOfANamedDocumentWritesRichTextWithoutADialog)
{
    TMainform& w = changedWindow(QStringLiteral("obsah"));
    w.CurrentFileName = programPath(QStringLiteral("ulozeny.zvd"));
    const QString title = w.windowTitle();
    w.ulozitClick(w.ulozit);
    EXPECT_EQ(saveDialogs(), 0u);
    EXPECT_TRUE(bytesOf(w.CurrentFileName).startsWith("{\\rtf1"));
    EXPECT_EQ(documentTextOf(w.CurrentFileName), QStringLiteral("obsah"));
    EXPECT_FALSE(w.editor->IsModified());
    EXPECT_EQ(w.windowTitle(), title) << "Save alone never renames the window";
}

TEST_F(MainformDocumentsTest, FailedSaveKeepsTheChangesAndThePreviousFile)
{
    TMainform& w = changedWindow(QStringLiteral("nová verze"));
    const QString path = writeFile(QStringLiteral("dulezity.zvd"), FormattedRtf);
    w.CurrentFileName = path;
    // A folder where the temporary file would go is replaced by a file: the
    // save cannot even start. The document keeps its changes.
    w.CurrentFileName = programPath(QStringLiteral("dulezity.zvd/vnoreny.zvd"));
    EXPECT_THROW(w.ulozitClick(w.ulozit), EFCreateError);
    EXPECT_TRUE(w.editor->IsModified());
    EXPECT_EQ(bytesOf(path), FormattedRtf);
}

TEST_F(MainformDocumentsTest, SaveAsPlainTextDropsFormattingAndStaysPlain)
{
    TMainform& w = window();
    const QString source = writeFile(QStringLiteral("formatovany.zvd"), FormattedRtf);
    desktop.queueFileDialogAnswer(source, RichTextType);
    w.otevritClick(w.otevrit);
    ASSERT_TRUE(isBoldAt(*form->editor, 1));
    const QString target = programPath(QStringLiteral("prosty.txt"));
    desktop.queueFileDialogAnswer(target, PlainTextSaveType);
    w.Uloitjako1Click(w.Uloitjako1);
    EXPECT_EQ(bytesOf(target), QByteArray("tučný text"));
    EXPECT_TRUE(w.editor->PlainText());
    EXPECT_FALSE(isBoldAt(*form->editor, 1));
    EXPECT_EQ(w.CurrentFileName, target);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zorvan - ") + target);
}

// Switching to plain text keeps the document's own words: list labels and the
// notes belong to the plain-text file, not to the editor's text.
TEST_F(MainformDocumentsTest, SaveAsPlainTextPutsLabelsAndNotesIntoTheFileOnly)
{
    TMainform& w = createActiveForm();
    desktop.queueFileDialogAnswer(writeFile(QStringLiteral("poznamka.zvd"),
                                            "{\\rtf1 a{\\chftn}{\\footnote\\pard{\\chftn} dole} b\\par}"),
                                  RichTextType);
    QTest::keyClick(w.editor->control(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(w.editor->control(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(w.editor->control(), Qt::Key_Return);
    QTest::mouseClick(w.cisodraz, Qt::LeftButton);
    QTest::keyClicks(w.editor->control(), QStringLiteral("jedna"));
    QTest::keyClick(w.editor->control(), Qt::Key_Return);
    QTest::keyClicks(w.editor->control(), QStringLiteral("dva"));

    const QString target = programPath(QStringLiteral("prosty.txt"));
    desktop.queueFileDialogAnswer(target, PlainTextSaveType);
    chooseFromMenu(w.Soubor1, w.Uloitjako1);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("a1 b\r\njedna\r\ndva"));
    const QString file = QString::fromUtf8(bytesOf(target));
    EXPECT_TRUE(file.contains(QStringLiteral("1) jedna"))) << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("[1] dole"))) << file.toStdString();
}

TEST_F(MainformDocumentsTest, CancelledSaveAsChangesNothing)
{
    TMainform& w = changedWindow();
    w.CurrentFileName = programPath(QStringLiteral("jmeno.zvd"));
    w.setWindowTitle(QStringLiteral("Zorvan - ") + w.CurrentFileName);
    desktop.queueFileDialogCancel();
    w.Uloitjako1Click(w.Uloitjako1);
    EXPECT_EQ(w.CurrentFileName, programPath(QStringLiteral("jmeno.zvd")));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zorvan - ") + w.CurrentFileName);
    EXPECT_TRUE(w.editor->IsModified());
    ASSERT_EQ(saveDialogs(), 1u);
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog)[0].dialog.fileName,
              w.CurrentFileName);
}

TEST_F(MainformDocumentsTest, NewInPlainTextModeAnsweredCancelKeepsTheTextInRichMode)
{
    TMainform& w = changedWindow();
    w.editor->SetPlainText(true);
    w.editor->setIsModified(true);
    desktop.queueMessageBoxAnswer(IDCANCEL);
    w.Nov1Click(w.Nov1);
    EXPECT_EQ(w.editor->Text(), QStringLiteral("rozepsaný dopis"));
    EXPECT_FALSE(w.editor->PlainText());
    EXPECT_TRUE(w.editor->IsModified());
}

TEST_F(MainformDocumentsTest, NewWithoutChangesAsksNothing)
{
    TMainform& w = window();
    w.CurrentFileName = programPath(QStringLiteral("byvaly.zvd"));
    w.novyClick(w.novy);
    EXPECT_EQ(prompts(), 0);
    EXPECT_TRUE(w.CurrentFileName.isEmpty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zorvan - "));
}

TEST_F(MainformDocumentsTest, CommandLineDocumentOpensAsRichText)
{
    const QString path = writeFile(QStringLiteral("prikazova.rtf"), FormattedRtf);
    createForm({path}).show();
    EXPECT_EQ(form->editor->Text(), QStringLiteral("tučný text"));
    EXPECT_TRUE(isBoldAt(*form->editor, 1));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zorvan-") + path);
    EXPECT_FALSE(form->editor->IsModified());
}

} // namespace
