#include "richedit/TZvRichEdit.h"

#include "editcontrol/RichEditControl.h"
#include "platform/ScriptedDesktop.h"
#include "platform/ScriptedFindDialog.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A shown editor whose dialogs come from a scripted desktop; it counts the
// events that searching and replacing raise.
class EditorFindTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetEditorLibraryVersion(3);
        editor.setDesktop(&desktop);
        editor.resize(400, 200);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        editor.OnChange = [this](TZvCustomRichEdit*) { ++changes; };
        editor.OnSelectionChange = [this](TZvCustomRichEdit*) { ++selectionChanges; };
        editor.OnTextNotFound = [this](TZvCustomRichEdit*, const QString& text) { notFound << text; };
    }
    void TearDown() override { SetEditorLibraryVersion(3); }

    // Puts `text` in the editor with the selection [start, end), events counted from then on.
    void prepare(const QString& text, int start, int end)
    {
        editor.setText(text);
        editor.SelectRange(start, end, false);
        changes = selectionChanges = 0;
    }

    ScriptedFindDialog* replaceDialog(const QString& find, const QString& replacement)
    {
        return static_cast<ScriptedFindDialog*>(editor.ShowReplaceDialog(find, replacement));
    }

    CHARRANGE selection() { return editor.control()->ExGetSel(); }

    ScriptedDesktop desktop;
    TZvRichEdit editor;
    int changes = 0;
    int selectionChanges = 0;
    QStringList notFound;
};

struct DialogSearch
{
    const char* name;
    QString text;
    CHARRANGE selection;
    QString findText;
    TFindOptions options;
    CHARRANGE expected; // the selection afterwards; the old one when nothing is found
};

void PrintTo(const DialogSearch& row, std::ostream* out)
{
    *out << row.name;
}

class FindWithDialogTest : public EditorFindTest, public ::testing::WithParamInterface<DialogSearch>
{
};

TEST_P(FindWithDialogTest, SelectsTheHitOrReportsTheMiss)
{
    const DialogSearch& row = GetParam();
    prepare(row.text, row.selection.cpMin, row.selection.cpMax);
    TFindDialog* dialog = editor.ShowFindDialog(row.findText);
    dialog->setOptions(row.options);

    dialog->pressFindNext();

    EXPECT_EQ(selection().cpMin, row.expected.cpMin);
    EXPECT_EQ(selection().cpMax, row.expected.cpMax);
    const bool missed = row.expected == row.selection;
    EXPECT_EQ(notFound, missed ? QStringList{row.findText} : QStringList{});
}

const QString twoCats = QStringLiteral("kočka a Kočka");

INSTANTIATE_TEST_SUITE_P(
    Searches, FindWithDialogTest,
    ::testing::Values(
        DialogSearch{"DownFromInsideAMatchingWordFindsTheNext", twoCats, {2, 2}, "kočka", frDown, {8, 13}},
        DialogSearch{"DownGoesPastASelectedHit", twoCats, {0, 5}, "kočka", frDown, {8, 13}},
        DialogSearch{"DownWithMatchCaseMisses", twoCats, {2, 2}, "kočka", frDown | frMatchCase, {2, 2}},
        DialogSearch{"UpFindsTheNearestBeforeTheSelection", twoCats, {13, 13}, "KOČKA", 0, {8, 13}},
        DialogSearch{"UpGoesPastASelectedHit", twoCats, {8, 13}, "kočka", 0, {0, 5}},
        DialogSearch{"UpFromInsideTheFirstWordMisses", twoCats, {3, 3}, "kočka", 0, {3, 3}},
        DialogSearch{"WholeWordSkipsAPartOfAWord",
                     QStringLiteral("kočkování kočka"),
                     {0, 0},
                     "kočka",
                     frDown | frWholeWord,
                     {10, 15}}),
    [](const ::testing::TestParamInfo<DialogSearch>& info) { return std::string(info.param.name); });

TEST_F(EditorFindTest, ReplaceReplacesTheSelectedHitAndSelectsTheNext)
{
    prepare(QStringLiteral("a1 A2 a3"), 0, 1);
    ScriptedFindDialog* dialog = replaceDialog(QStringLiteral("a"), QStringLiteral("bb"));
    dialog->setOptions(dialog->Options() | frMatchCase);
    dialog->pressReplace();
    EXPECT_EQ(editor.Text(), QStringLiteral("bb1 A2 a3"));
    EXPECT_EQ(selection(), (CHARRANGE{7, 8})) << "the next hit, matching the case";

    editor.SelectRange(0, 1, false); // a selection that is no hit is left alone
    dialog->pressReplace();
    EXPECT_EQ(editor.Text(), QStringLiteral("bb1 A2 a3"));
    EXPECT_EQ(selection(), (CHARRANGE{7, 8}));
}

class ReplaceAllTest : public EditorFindTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(ReplaceAllTest, ReplacesEachHitAfterTheCaretOnceWithOneChangeEvent)
{
    SetEditorLibraryVersion(GetParam());
    prepare(QStringLiteral("a a a a"), 2, 2);
    replaceDialog(QStringLiteral("a"), QStringLiteral("aa"))->pressReplaceAll();

    EXPECT_EQ(editor.Text(), QStringLiteral("a aa aa aa"));
    EXPECT_EQ(selection(), (CHARRANGE{8, 10})) << "the last replacement stays selected";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(selectionChanges, 1);
    EXPECT_TRUE(notFound.isEmpty());
    if (GetParam() >= 2) {
        editor.Undo();
        EXPECT_EQ(editor.Text(), QStringLiteral("a a a a")) << "undone in one step";
        editor.Redo();
    }

    editor.setSelectedText(QStringLiteral("x"));
    EXPECT_GT(changes, 1) << "change events come again after replacing";
    editor.SelectRange(0, 0, false);
    EXPECT_GT(selectionChanges, 1) << "the selection handler is back";
}

INSTANTIATE_TEST_SUITE_P(LibraryVersions, ReplaceAllTest, ::testing::Values(1, 3));

TEST_F(EditorFindTest, ReplaceAllWithoutHitChangesNothingAndReportsTheMiss)
{
    prepare(QStringLiteral("a b c"), 2, 2);
    replaceDialog(QStringLiteral("a"), QStringLiteral("x"))->pressReplaceAll();

    EXPECT_EQ(editor.Text(), QStringLiteral("a b c"));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(selectionChanges, 0);
    EXPECT_EQ(notFound, QStringList{QStringLiteral("a")});
}

TEST_F(EditorFindTest, DialogsAreMadeOnceBroughtToTheFrontAndShareTheFindText)
{
    auto* find = static_cast<ScriptedFindDialog*>(editor.ShowFindDialog(QStringLiteral("pes")));
    EXPECT_EQ(editor.ShowFindDialog(QString()), find);
    EXPECT_EQ(find->FindText(), QStringLiteral("pes")) << "an empty initial text keeps the last one";
    EXPECT_EQ(find->timesBroughtToFront(), 1);
    EXPECT_EQ(find->parent(), &editor);

    TFindDialog* replace = editor.ShowReplaceDialog(QString(), QStringLiteral("kočka"));
    EXPECT_EQ(replace->FindText(), QStringLiteral("pes")) << "taken over from the find dialog";
    EXPECT_EQ(replace->ReplaceText(), QStringLiteral("kočka"));
    replace->setFindText(QStringLiteral("myš"));
    EXPECT_EQ(editor.ShowReplaceDialog(QString(), QString())->ReplaceText(), QStringLiteral("kočka"));
    EXPECT_EQ(find->FindText(), QStringLiteral("pes")) << "an existing dialog keeps its own text";

    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::FindDialog).size(), 1u);
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::ReplaceDialog).size(), 1u);
}

TEST_F(EditorFindTest, ClosingADialogRaisesOnCloseFindDialog)
{
    TFindDialog* closed = nullptr;
    editor.OnCloseFindDialog = [&](TZvCustomRichEdit*, TFindDialog* dialog) { closed = dialog; };
    TFindDialog* dialog = editor.ShowFindDialog(QStringLiteral("pes"));
    dialog->CloseDialog();
    EXPECT_EQ(closed, dialog);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(EditorFindTest, OldLibraryDialogsSearchDownWithoutDirectionChoice)
{
    SetEditorLibraryVersion(1);
    prepare(QStringLiteral("pes a pes"), 5, 5);
    TFindDialog* dialog = editor.ShowFindDialog(QStringLiteral("pes"));
    EXPECT_EQ(dialog->Options() & (frDown | frHideUpDown), frDown | frHideUpDown);
    EXPECT_EQ(editor.SearchText(QStringLiteral("pes"), 5, 1, TZvCustomRichEdit::stBackward), -1)
        << "the old library ignores the backward choice";
}

// Where PlaceFindDialog puts a dialog, with the editor's window high or low on
// the screen (800 by 600 pixels on the offscreen platform).
struct Placement
{
    const char* name;
    int windowTop;
    bool dialogCoversHit;
    enum { Unmoved, AboveHit, BelowHit } expected;
};

void PrintTo(const Placement& row, std::ostream* out)
{
    *out << row.name;
}

class PlaceFindDialogTest : public EditorFindTest, public ::testing::WithParamInterface<Placement>
{
};

TEST_P(PlaceFindDialogTest, MovesACoveringDialogOffTheHit)
{
    const Placement& row = GetParam();
    editor.move(100, row.windowTop);
    QApplication::processEvents();
    prepare(QStringLiteral("pes a kočka"), 0, 0);
    TFindDialog* dialog = editor.ShowFindDialog(QStringLiteral("kočka"));
    dialog->pressFindNext();
    const TPoint hit = editor.CharPosition(editor.SelectionStart());
    const QPoint hitTop = editor.control()->mapToGlobal(QPoint(hit.X, hit.Y));
    const QPoint start = row.dialogCoversHit ? hitTop - QPoint(10, 10) : hitTop + QPoint(0, 100);
    dialog->setPosition(start);

    editor.PlaceFindDialog(dialog);

    const int height = ScriptedFindDialog::WindowSize.height();
    switch (row.expected) {
    case Placement::Unmoved:
        EXPECT_EQ(dialog->position(), start);
        break;
    case Placement::AboveHit:
        EXPECT_EQ(dialog->position(), QPoint(start.x(), hitTop.y() - 20 - height));
        break;
    case Placement::BelowHit:
        EXPECT_EQ(dialog->position(), QPoint(start.x(), hitTop.y() + 40));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceFindDialogTest,
    ::testing::Values(Placement{"BelowAHitNearTheScreenTop", 0, true, Placement::BelowHit},
                      Placement{"AboveAHitLowOnTheScreen", 350, true, Placement::AboveHit},
                      Placement{"ADialogBesideTheHitStays", 350, false, Placement::Unmoved}),
    [](const ::testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

} // namespace
