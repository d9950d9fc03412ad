// Printing and page setup of the main window.

#include "app/TMainform.h"

#include "richedit/TZvRichEdit.h"

#include <QPrinter>

namespace {

const QString NoPrinterMessage = QStringLiteral("Nemáte nainstalovanou tiskárnu. Nainstalujte si ji prosím.");

} // namespace

void TMainform::tiskClick(QObject*)
{
    if (m_desktop.printerNames().isEmpty()) {
        showMessage(NoPrinterMessage);
        return;
    }
    editor->PrintDocument(windowTitle(), Printer());
}

void TMainform::isk1Click(QObject*)
{
    if (m_desktop.printerNames().isEmpty()) {
        showMessage(NoPrinterMessage);
        return;
    }
    if (!m_desktop.printDialog(Printer()))
        return;
    editor->PrintDocument(windowTitle(), Printer());
}

void TMainform::vzhledstrnky1Click(QObject*)
{
    m_desktop.pageSetupDialog(Printer(), PageSetupDialog1);
}
