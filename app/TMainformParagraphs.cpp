// The paragraph formatting commands of the main window: alignment, lists,
// indents, line spacing, the ruler and the paragraph dialog.

#include "app/TMainform.h"

void TMainform::lzarovnaniClick(QObject*)
{
}
void TMainform::szarovnaniClick(QObject*)
{
}
void TMainform::pzarovnaniClick(QObject*)
{
}
void TMainform::czarovnaniClick(QObject*)
{
}
void TMainform::cisodrazClick(QObject*)
{
}
void TMainform::tecodrazClick(QObject*)
{
}
void TMainform::ToolButton43Click(QObject*)
{
}
void TMainform::ToolButton44Click(QObject*)
{
}
void TMainform::normalniClick(QObject*)
{
}
void TMainform::radku15Click(QObject*)
{
}
void TMainform::radku2Click(QObject*)
{
}
void TMainform::radku3Click(QObject*)
{
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
