// The settings file and the settings dialog of the main window.

#include "app/TMainform.h"

void TMainform::LoadSettings()
{
}
void TMainform::StoreSettings()
{
}
void TMainform::Monosti1Click(QObject*)
{
}
void TMainform::Monosti2Click(QObject*)
{
}
