// The main window's find and replace commands.

#include "tests/app/MainformFixture.h"

#include "platform/ScriptedFindDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using MainformFindTest = MainformFixture;

TEST_F(MainformFindTest, FindAndReplaceCommandsOpenOneDialogEachThatSearchesTheEditor)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("pes a kočka"));

    window.Najtvtextu1Click(window.Najtvtextu1);
    auto* find = static_cast<ScriptedFindDialog*>(window.editor->ShowFindDialog(QString()));
    window.Najtvtextu2Click(window.Najtvtextu2);
    EXPECT_EQ(find->timesBroughtToFront(), 2) << "an open dialog comes to the front";
    find->setFindText(QStringLiteral("kočka"));
    find->pressFindNext();
    EXPECT_EQ(window.editor->SelectedText(), QStringLiteral("kočka"));

    window.Nahradittext1Click(window.Nahradittext1);
    window.Nahradittext2Click(window.Nahradittext2);
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::FindDialog).size(), 1u);
    ASSERT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::ReplaceDialog).size(), 1u);
    TFindDialog* replace = window.editor->ShowReplaceDialog(QString(), QString());
    EXPECT_EQ(replace->FindText(), QStringLiteral("kočka")) << "taken over from the find dialog";
    EXPECT_TRUE(replace->isVisible());
}

// "Nahradit" in the real dialog replaces the hit the user is looking at and
// shows the next one; the first press, with no hit selected, only finds.
TEST_F(MainformFindTest, ReplaceButtonReplacesTheHitOnScreenAndShowsTheNext)
{
    TMainform& window = createActiveFormWithPlatformDialogs();
    window.editor->setText(QStringLiteral("kocka, pes, kocka, kocka"));

    chooseFromMenu(window.Najt1, window.Nahradittext1);
    QApplication::processEvents();
    QWidget* dialog = QApplication::activeWindow();
    ASSERT_EQ(dialog->objectName(), QStringLiteral("ReplaceDialog"));
    const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
    QTest::keyClicks(fields[0], QStringLiteral("kocka"));
    QTest::keyClicks(fields[1], QStringLiteral("mys"));
    QPushButton* replace = nullptr;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        replace = button->text() == QStringLiteral("Nahradit") ? button : replace;
    ASSERT_TRUE(replace);

    QTest::mouseClick(replace, Qt::LeftButton);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("kocka, pes, kocka, kocka"));
    EXPECT_EQ(window.editor->SelectionStart(), 0);
    QTest::mouseClick(replace, Qt::LeftButton);
    QTest::mouseClick(replace, Qt::LeftButton);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("mys, pes, mys, kocka"));
    EXPECT_EQ(window.editor->SelectedText(), QStringLiteral("kocka"));
    EXPECT_EQ(window.editor->SelectionStart(), 15);
}

} // namespace
