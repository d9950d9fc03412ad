// Printing of the editor control: the whole document, page after page, as one
// print job.

#include "richedit/TZvCustomRichEdit.h"

#include "format/Units.h"
#include "editcontrol/RichEditControl.h"
#include "platform/WholeFile.h"
#include "platform/ZvExceptions.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScopeGuard>

namespace {

// The page in twips: the printable area of the paper, or `area` (device
// pixels) when it is not empty. Integer division, as the printer measures.
RECT pageInTwips(const QPagedPaintDevice& device, const QRect& area)
{
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    if (area.isEmpty()) {
        const QRect printable = device.pageLayout().paintRectPixels(dpiX);
        return RECT{0, 0, LONG(printable.width() * TwipsPerInch / dpiX),
                    LONG(printable.height() * TwipsPerInch / dpiY)};
    }
    return RECT{LONG(area.left() * TwipsPerInch / dpiX), LONG(area.top() * TwipsPerInch / dpiY),
                LONG((area.right() + 1) * TwipsPerInch / dpiX),
                LONG((area.bottom() + 1) * TwipsPerInch / dpiY)};
}

// Prints the whole text of `edit` on `device`, named `deviceName` in the error
// raised when it cannot start.
void printPages(RichEditControl& edit, QPagedPaintDevice& device, const QRect& area,
                const QString& deviceName)
{
    FORMATRANGE range;
    QPainter painter;
    if (!painter.begin(&device))
        throw EInOutError(QStringLiteral("Cannot print to \"%1\"").arg(deviceName));
    range.hdc = &painter;
    range.rc = pageInTwips(device, area);
    range.rcPage = range.rc;
    range.chrg = CHARRANGE{0, EndOfText};
    // In positions of the control, where a paragraph break counts one.
    const LONG textLength = edit.GetTextLengthEx(GTL_DEFAULT);

    {
        painter.save();
        edit.FormatRange(false, nullptr);
        // Also when printing fails, the pages laid out are dropped and the
        // painter is as it was.
        const auto cleanUp = qScopeGuard([&] {
            edit.FormatRange(false, nullptr);
            painter.restore();
        });
        LONG first = 0;
        for (;;) {
            range.rc = range.rcPage;
            range.chrg.cpMin = first;
            first = edit.FormatRange(true, &range);
            if (first >= textLength || first == NoPosition)
                break;
            device.newPage();
        }
    }
    painter.end();
}

} // namespace

void TZvCustomRichEdit::PrintDocument(const QString& Title, QPrinter& printer)
{
    printer.setDocName(Title);
    if (printer.outputFormat() != QPrinter::PdfFormat) {
        printPages(*control(), printer, m_printArea, printer.printerName());
        return;
    }
    // A PDF file is saved as documents are, whole or not at all: the printer
    // itself would write it straight over the old file and say nothing when
    // the disk is full.
    const QString fileName = printer.outputFileName();
    WholeFile::write(fileName, [&](QIODevice& file) {
        QPdfWriter pdf(&file);
        pdf.setTitle(Title);
        pdf.setCreator(printer.creator());
        pdf.setPdfVersion(printer.pdfVersion());
        pdf.setResolution(printer.resolution());
        pdf.setPageLayout(printer.pageLayout());
        printPages(*control(), pdf, m_printArea, fileName);
    });
}
