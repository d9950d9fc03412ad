// The character formatting commands of the main window and the refresher of
// the formatting controls.

#include "app/TMainform.h"

void TMainform::Psmo1Click(QObject*)
{
}
void TMainform::Nastavenpsma1Click(QObject*)
{
}
void TMainform::Barvapsma1Click(QObject*)
{
}
void TMainform::Barvapozadpsma1Click(QObject*)
{
}
void TMainform::Nastavenbarvypsma1Click(QObject*)
{
}
void TMainform::Nastavenpozadtextu1Click(QObject*)
{
}
void TMainform::FontBox1Change(QObject*)
{
}
void TMainform::velikostpismaChange(QObject*)
{
}
void TMainform::ToolButton35Click(QObject*)
{
}
void TMainform::ToolButton36Click(QObject*)
{
}
void TMainform::ToolButton37Click(QObject*)
{
}
void TMainform::ToolButton38Click(QObject*)
{
}
void TMainform::dindexClick(QObject*)
{
}
void TMainform::hindexClick(QObject*)
{
}
void TMainform::barvatextuColorChange(QObject*)
{
}
void TMainform::bpozaditextuColorChange(QObject*)
{
}
void TMainform::UpdateFormatControls()
{
}
