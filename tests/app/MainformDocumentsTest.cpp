// New, Open, Save and Save As of the main window, with every answer to
// "Uložit změny?" and the plain-text rules of the file types.

#include "tests/app/MainformFixture.h"
#include "tests/EditorFormat.h"

#include "platform/RichEditControl.h"
#include "platform/ZvExceptions.h"

#include <QFile>
#include <QToolButton>

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
    desktop.queueFileDialogCancel(); // the save dialog
    w.otevritClick(w.otevrit);
    ASSERT_EQ(saveDialogs(), 1u);
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog)[0].dialog.fileName,
              QStringLiteral("nový dokument"));
    EXPECT_EQ(w.editor->Text(), QStringLiteral("otevřený")) << "the chosen file is loaded all the same";
    EXPECT_TRUE(w.editor->PlainText()) << "the opening stops after the load: the mode stays";
    EXPECT_EQ(w.CurrentFileName, path);
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

// A file that cannot be read: missing, a folder, or one that opens but fails
// to read (tests run as root, where permissions stop no read).
struct UnreadableFile
{
    const char* name;
    QString (*path)(const QString& folder);
    friend void PrintTo(const UnreadableFile& file, std::ostream* out) { *out << file.name; }
};

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
    EXPECT_THROW(w.otevritClick(w.otevrit), EFOpenError);
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
        UnreadableFile{"Missing", [](const QString& folder) { return folder + QStringLiteral("chybi.txt"); }},
        UnreadableFile{"Folder", [](const QString& folder) { return folder; }},
        UnreadableFile{"OpensButFailsToRead",
                       [](const QString&) { return QStringLiteral("/proc/self/mem"); }}),
    [](const ::testing::TestParamInfo<UnreadableFile>& info) { return std::string(info.param.name); });

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
        EXPECT_EQ(call.dialog.filters.size(), 4u);
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

TEST_F(MainformDocumentsTest, NewWithChangesAnsweredYesAndCancelledSaveClearsAllTheSame)
{
    TMainform& w = changedWindow();
    desktop.queueMessageBoxAnswer(IDYES);
    desktop.queueFileDialogCancel();
    w.novyClick(w.novy);
    EXPECT_EQ(w.editor->Text(), QString());
    EXPECT_FALSE(w.editor->IsModified());
    EXPECT_TRUE(w.CurrentFileName.isEmpty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zorvan - "));
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
