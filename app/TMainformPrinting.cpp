// Printing and page setup of the main window.

#include "app/TMainform.h"

void TMainform::tiskClick(QObject*)
{
}
void TMainform::isk1Click(QObject*)
{
}
void TMainform::vzhledstrnky1Click(QObject*)
{
}
