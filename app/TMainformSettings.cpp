// The settings file of the main window: read once at start, written at every
// attempt to close.

#include "app/TMainform.h"

void TMainform::LoadSettings()
{
}
void TMainform::StoreSettings()
{
}
