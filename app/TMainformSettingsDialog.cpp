// The commands that open the settings dialog.

#include "app/TMainform.h"

void TMainform::Monosti1Click(QObject*)
{
}
void TMainform::Monosti2Click(QObject*)
{
}
