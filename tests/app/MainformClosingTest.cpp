// Closing the main window by its frame (FormCloseQuery, FormClose) and by the
// menu command "Konec", with every answer to "Uložit změny?".

#include "tests/app/MainformFixture.h"
#include "tests/TestFiles.h"

#include "platform/ZvApplication.h"

#include <QCloseEvent>
#include <QFile>
#include <QWindow>

namespace {

} // namespace

class MainformClosingTest : public MainformFixture
{
protected:
    // A shown window whose document has unsaved changes.
    TMainform& changedForm()
    {
        TMainform& window = createForm();
        window.show();
        window.editor->setText(QStringLiteral("první řádek\ndruhý"));
        window.editor->setIsModified(true);
        return window;
    }

    int prompts() const
    {
        int count = 0;
        for (const QString& text : desktop.messageTexts())
            count += text == QStringLiteral("Uložit změny?");
        return count;
    }
};

TEST_F(MainformClosingTest, CloseWithoutChangesAsksNothingAndCloses)
{
    TMainform& window = createForm();
    window.show();
    TCloseAction action = TCloseAction::caHide;
    window.FormClose(&window, action);
    EXPECT_EQ(action, TCloseAction::caFree);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(desktop.calls().empty());
}

TEST_F(MainformClosingTest, CloseWithChangesAnsweredCancelKeepsTheWindowAndTheChanges)
{
    TMainform& window = changedForm();
    desktop.queueMessageBoxAnswer(IDCANCEL);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.editor->IsModified());
    ASSERT_EQ(desktop.calls().size(), 1u);
    EXPECT_EQ(desktop.calls()[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
}

TEST_F(MainformClosingTest, CloseWithChangesAnsweredNoClosesWithoutSaving)
{
    TMainform& window = changedForm();
    window.CurrentFileName = programPath(QStringLiteral("dopis.zvd"));
    desktop.queueMessageBoxAnswer(IDNO);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(QFile::exists(window.CurrentFileName));
    EXPECT_TRUE(desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog).empty());
}

TEST_F(MainformClosingTest, ClosedFromItsFrameAnsweredYesThenCancelledSaveDialogKeepsTheWindowAndText)
{
    TMainform& window = changedForm();
    desktop.queueMessageBoxAnswer(IDYES);
    desktop.queueFileDialogCancel();
    // The platform's close, as the frame's close button, Alt+F4 or the window
    // manager ask for it.
    EXPECT_FALSE(window.windowHandle()->close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.editor->IsModified());
    EXPECT_EQ(window.editor->Text(), QStringLiteral("první řádek\r\ndruhý"));
    const auto dialogs = desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].dialog.fileName, QStringLiteral("nový dokument"));
    EXPECT_EQ(desktop.pendingAnswers(), 0);
}

TEST_F(MainformClosingTest, CloseNamedAnsweredYesSavesUnderItsNameWithoutADialog)
{
    TMainform& window = changedForm();
    window.CurrentFileName = programPath(QStringLiteral("dopis.zvd"));
    desktop.queueMessageBoxAnswer(IDYES);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(documentTextOf(window.CurrentFileName), QStringLiteral("první řádek\r\ndruhý"));
    EXPECT_TRUE(desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog).empty());
}

TEST_F(MainformClosingTest, CloseUnnamedAnsweredYesSavesWhereTheDialogSays)
{
    TMainform& window = changedForm();
    const QString path = programPath(QStringLiteral("nový.zvd"));
    desktop.queueMessageBoxAnswer(IDYES);
    desktop.queueFileDialogAnswer(path, 1);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(documentTextOf(path), QStringLiteral("první řádek\r\ndruhý"));
    EXPECT_EQ(window.CurrentFileName, path);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvan - ") + path);
}

TEST_F(MainformClosingTest, AFailingSaveKeepsTheWindowOpenAndIsLogged)
{
    TMainform& window = changedForm();
    window.CurrentFileName = programPath(QStringLiteral("no/such/folder/dopis.zvd"));
    desktop.queueMessageBoxAnswer(IDYES);
    QCloseEvent event;
    ZvApplication::deliverGuarded(&window, &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_TRUE(window.editor->IsModified());
    EXPECT_TRUE(contentsOf(programPath(QStringLiteral("error.log"))).contains(" : EFCreateError - "));
}

TEST_F(MainformClosingTest, KonecWithoutChangesClosesAtOnce)
{
    TMainform& window = createForm();
    window.show();
    window.Konec1Click(window.Konec1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(desktop.calls().empty());
}

TEST_F(MainformClosingTest, KonecAnsweredCancelChangesNothing)
{
    TMainform& window = changedForm();
    desktop.queueMessageBoxAnswer(IDCANCEL);
    window.Konec1Click(window.Konec1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.editor->IsModified());
    EXPECT_EQ(prompts(), 1);
}

TEST_F(MainformClosingTest, KonecAnsweredYesThenCancelledSaveDialogStaysOpenWithItsChanges)
{
    TMainform& window = changedForm();
    desktop.queueMessageBoxAnswer(IDYES);
    desktop.queueFileDialogCancel();
    window.Konec1Click(window.Konec1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.editor->IsModified());
    EXPECT_EQ(window.editor->Text(), QStringLiteral("první řádek\r\ndruhý"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvan"));
}

TEST_F(MainformClosingTest, KonecAnsweredYesAndSavedClosesWithoutAskingAgain)
{
    TMainform& window = changedForm();
    const QString path = programPath(QStringLiteral("text.txt"));
    desktop.queueMessageBoxAnswer(IDYES);
    desktop.queueFileDialogAnswer(path, 4);
    window.Konec1Click(window.Konec1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(prompts(), 1);
    EXPECT_EQ(contentsOf(path), QStringLiteral("první řádek\r\ndruhý").toUtf8());
    EXPECT_TRUE(window.editor->PlainText()); // the plain-text type switches the editor over
}

TEST_F(MainformClosingTest, KonecAnsweredYesAsksForANameAlsoForANamedDocument)
{
    TMainform& window = changedForm();
    window.CurrentFileName = programPath(QStringLiteral("staré.zvd"));
    desktop.queueMessageBoxAnswer(IDYES);
    desktop.queueFileDialogCancel();
    window.Konec1Click(window.Konec1);
    const auto dialogs = desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].dialog.fileName, window.CurrentFileName);
    EXPECT_EQ(dialogs[0].dialog.defaultExtension, QStringLiteral("zvd"));
    EXPECT_TRUE(dialogs[0].dialog.overwritePrompt);
    EXPECT_FALSE(QFile::exists(window.CurrentFileName));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainformClosingTest, KonecAnsweredNoClosesWithoutSavingAndWithoutASecondPrompt)
{
    TMainform& window = changedForm();
    desktop.queueMessageBoxAnswer(IDNO);
    window.Konec1Click(window.Konec1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(prompts(), 1);
    EXPECT_TRUE(desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog).empty());
}

TEST_F(MainformClosingTest, KonecIsTheMenuCommandOnF10)
{
    TMainform& window = changedForm();
    desktop.queueMessageBoxAnswer(IDCANCEL);
    window.Konec1->trigger();
    EXPECT_EQ(prompts(), 1);
    EXPECT_EQ(window.Konec1->shortcut(), QKeySequence(Qt::Key_F10));
}
