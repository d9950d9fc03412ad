// The main window's find and replace commands.

#include "tests/app/MainformFixture.h"

#include "platform/ScriptedFindDialog.h"

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

} // namespace
