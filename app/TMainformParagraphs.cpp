// The paragraph formatting commands of the main window: alignment, lists,
// indents, line spacing, the ruler and the paragraph dialog.

#include "app/TMainform.h"

#include "app/Todstavceform.h"

#include "format/TextFormatProperties.h"
#include "richedit/TZvRichEdit.h"
#include "ruler/TZvRuler.h"

#include <QAction>
#include <QToolButton>

using namespace TextFormatProperties;

// Presses the clicked alignment button and releases the other three; the
// focus stays where it is.
void TMainform::setAlignment(int alignment, QToolButton* button)
{
    editor->ParagraphAttributes().setAlignment(alignment);
    for (QToolButton* each : {lzarovnani, szarovnani, pzarovnani, czarovnani})
        each->setChecked(each == button);
}

void TMainform::lzarovnaniClick(QObject*)
{
    setAlignment(taLeftJustify, lzarovnani);
}

void TMainform::szarovnaniClick(QObject*)
{
    setAlignment(taCenter, szarovnani);
}

void TMainform::pzarovnaniClick(QObject*)
{
    setAlignment(taRightJustify, pzarovnani);
}

void TMainform::czarovnaniClick(QObject*)
{
    setAlignment(taJustify, czarovnani);
}

// The decision rests on the list kind read; a numbered list restarts at 1
// with its numbers followed by a parenthesis.
void TMainform::cisodrazClick(QObject*)
{
    TZvParaAttributes& paragraph = editor->ParagraphAttributes();
    if (paragraph.ListStyle() == lsArabic) {
        paragraph.setListStyle(lsNone);
        cisodraz->setChecked(false);
        return;
    }
    paragraph.setListStyle(lsArabic);
    paragraph.setNumberingStart(1);
    paragraph.setNumberingStyle(1);
    cisodraz->setChecked(true);
    tecodraz->setChecked(false);
}

void TMainform::tecodrazClick(QObject*)
{
    TZvParaAttributes& paragraph = editor->ParagraphAttributes();
    if (paragraph.ListStyle() == lsBullet) {
        paragraph.setListStyle(lsNone);
        tecodraz->setChecked(false);
        return;
    }
    paragraph.setListStyle(lsBullet);
    tecodraz->setChecked(true);
    cisodraz->setChecked(false);
}

// Checks the chosen spacing item, unchecks the other three and gives the
// editor the focus.
void TMainform::checkLineSpacing(QAction* item)
{
    for (QAction* each : {normalni, radku15, radku2, radku3})
        each->setChecked(each == item);
    editor->setFocus();
}

void TMainform::normalniClick(QObject*)
{
    editor->ParagraphAttributes().setLineSpacingRule(LineSpacingSingle);
    checkLineSpacing(normalni);
}

void TMainform::radku15Click(QObject*)
{
    editor->ParagraphAttributes().setLineSpacingRule(LineSpacingOneAndHalf);
    checkLineSpacing(radku15);
}

void TMainform::radku2Click(QObject*)
{
    editor->ParagraphAttributes().setLineSpacingRule(LineSpacingDouble);
    checkLineSpacing(radku2);
}

// Three lines of the program's default size: a fixed line height of 30 points.
void TMainform::radku3Click(QObject*)
{
    TZvParaAttributes& paragraph = editor->ParagraphAttributes();
    paragraph.setLineSpacing(30);
    paragraph.setLineSpacingRule(LineSpacingExactly);
    checkLineSpacing(radku3);
}

// A fresh dialog at every opening, so it starts from the current paragraph.
void TMainform::openParagraphDialog()
{
    Todstavceform dialog(*this);
    odstavceform = &dialog;
    dialog.exec();
    odstavceform = nullptr;
}

void TMainform::Dal1Click(QObject*)
{
    openParagraphDialog();
}

void TMainform::Odstavec1Click(QObject*)
{
    openParagraphDialog();
}
// One point is 4/3 of a ruler unit (a pixel). Points become units truncated
// toward zero; units become points rounded away from zero, which is the exact
// inverse: the points a handle was placed from are the points it reads back,
// so a click on a handle that does not move it leaves the paragraph alone.
// (Truncating both ways lost up to a point on every trip, and each click
// moved the indent one more step.)
namespace {

int toUnits(int points)
{
    return points * 4 / 3;
}

int toPoints(int units)
{
    const int points = units * 3 / 4;
    return units * 3 % 4 == 0 ? points : points + (units < 0 ? -1 : 1);
}

// The editor's text starts 6 units right of the ruler's left edge; a handle
// box is 9 units wide, so its left edge stands 4 units left of its middle.
constexpr int TextLeft = 6;
constexpr int HalfHandle = 4;
// The handle's x over the paragraph's points, and back.
constexpr int HandleOffset = TextLeft - HalfHandle;
// Points: the right handle stands this far inside the right indent.
constexpr int RightHandleInset = 6;

} // namespace

void TMainform::ToolButton43Click(QObject*)
{
    ruler->DecreaseIndent();
}

void TMainform::ToolButton44Click(QObject*)
{
    ruler->IncreaseIndent();
}

// The paragraph takes the indents of the handle the user moved, then the
// handles settle where the written points put them.
void TMainform::rulerIndentChange(QObject*, TIndentID IndentID)
{
    TZvParaAttributes& paragraph = editor->ParagraphAttributes();
    const int first = toPoints(ruler->IndentFirst() - HandleOffset);
    const int firstAndLeft = toPoints(ruler->IndentLeft() - HandleOffset);
    switch (IndentID) {
    case riFirst:
        paragraph.setFirstLineIndent(first);
        break;
    case riLeft:
        paragraph.setLeftIndent(firstAndLeft - paragraph.FirstLineIndent());
        break;
    case riRight:
        paragraph.setRightIndent(toPoints(ruler->width() - TextLeft - ruler->IndentRight()) -
                                 RightHandleInset);
        break;
    case riBothLeft:
        paragraph.setFirstLineIndent(first);
        paragraph.setLeftIndent(firstAndLeft - paragraph.FirstLineIndent());
        break;
    }
    editorSelectionChange(this);
}

// The handles follow the paragraph; a position the ruler refuses leaves that
// handle where it was, and setting them raises no indent event.
void TMainform::editorSelectionChange(QObject*)
{
    const TZvParaAttributes& paragraph = editor->ParagraphAttributes();
    const int first = paragraph.FirstLineIndent();
    const int left = paragraph.LeftIndent();
    const int right = paragraph.RightIndent();
    ruler->setIndentFirst(toUnits(first) + HandleOffset);
    ruler->setIndentLeft(toUnits(left + first) + HandleOffset);
    ruler->setIndentRight((ruler->width() - TextLeft) - toUnits(right + RightHandleInset));
}
