#include "platform/Printer.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPrinter>

#include <memory>

namespace {

std::unique_ptr<QPrinter>& printerInstance()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

} // namespace

QPrinter& Printer()
{
    std::unique_ptr<QPrinter>& printer = printerInstance();
    if (printer)
        return *printer;
    printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The printer talks to the platform's print system, which goes away with
    // the application object, so it must go first.
    qAddPostRoutine([] { printerInstance().reset(); });
    return *printer;
}

void ApplyPaperAndOrientation(QPrinter& printer, const PageSetupOptions& options)
{
    const QSizeF paper(options.paperWidth / 100.0, options.paperHeight / 100.0);
    printer.setPageSize(QPageSize(paper, QPageSize::Millimeter));
    printer.setPageOrientation(options.orientation);
}
