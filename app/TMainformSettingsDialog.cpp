// The commands that open the settings dialog.

#include "app/TMainform.h"

#include "app/Tnastaveni.h"

namespace {

// A fresh dialog at every opening, filled from the components as they are now.
void showSettingsDialog(TMainform& mainform)
{
    Tnastaveni dialog(mainform);
    mainform.nastaveni = &dialog;
    dialog.exec();
    mainform.nastaveni = nullptr;
}

} // namespace

void TMainform::Monosti1Click(QObject*)
{
    showSettingsDialog(*this);
}

void TMainform::Monosti2Click(QObject*)
{
    showSettingsDialog(*this);
}
