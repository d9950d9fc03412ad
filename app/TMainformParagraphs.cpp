// The paragraph formatting commands of the main window: alignment, lists,
// indents, line spacing, the ruler and the paragraph dialog.

#include "app/TMainform.h"

#include "format/TextFormatProperties.h"
#include "richedit/TZvRichEdit.h"

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

void TMainform::ToolButton43Click(QObject*)
{
}
void TMainform::ToolButton44Click(QObject*)
{
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

void TMainform::Dal1Click(QObject*)
{
}
void TMainform::Odstavec1Click(QObject*)
{
}
void TMainform::rulerIndentChange(QObject*)
{
}
void TMainform::editorSelectionChange(QObject*)
{
}
