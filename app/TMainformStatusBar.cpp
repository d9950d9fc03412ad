// The status bar's refreshers and the two timers of the main window.

#include "app/TMainform.h"

void TMainform::ShowCaretPosition()
{
}
void TMainform::ShowCharCount()
{
}
void TMainform::ShowWordCount()
{
}
void TMainform::ShowModifiedFlag()
{
}
void TMainform::Timer1Timer(QObject*)
{
}
void TMainform::Timer2Timer(QObject*)
{
}
