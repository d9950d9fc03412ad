// Printing of the editor control: the whole document, page after page, as one
// print job.

#include "richedit/TZvCustomRichEdit.h"

#include "platform/RichEditControl.h"
#include "platform/ZvExceptions.h"

#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

namespace {

constexpr int TwipsPerInch = 1440;

// The page in twips: the printable area of the paper, or `area` (printer
// pixels) when it is not empty. Integer division, as the printer measures.
RECT pageInTwips(const QPrinter& printer, const QRect& area)
{
    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    if (area.isEmpty()) {
        const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
        return RECT{0, 0, LONG(printable.width() * TwipsPerInch / dpiX),
                    LONG(printable.height() * TwipsPerInch / dpiY)};
    }
    return RECT{LONG(area.left() * TwipsPerInch / dpiX), LONG(area.top() * TwipsPerInch / dpiY),
                LONG((area.right() + 1) * TwipsPerInch / dpiX),
                LONG((area.bottom() + 1) * TwipsPerInch / dpiY)};
}

} // namespace

void TZvCustomRichEdit::PrintDocument(const QString& Title, QPrinter& printer)
{
    RichEditControl* edit = control();
    FORMATRANGE range;
    printer.setDocName(Title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
        throw EInOutError(QStringLiteral("Cannot print to \"%1\"")
                              .arg(toFile ? printer.outputFileName() : printer.printerName()));
    }
    range.hdc = &painter;
    range.rc = pageInTwips(printer, m_printArea);
    range.rcPage = range.rc;
    range.chrg = CHARRANGE{0, EndOfText};
    // In positions of the control, where a paragraph break counts one.
    const LONG textLength = edit->GetTextLengthEx(GTL_DEFAULT);

    {
        painter.save();
        edit->FormatRange(false, nullptr);
        // Also when printing fails, the pages laid out are dropped and the
        // painter is as it was.
        const auto cleanUp = qScopeGuard([&] {
            edit->FormatRange(false, nullptr);
            painter.restore();
        });
        LONG first = 0;
        for (;;) {
            range.rc = range.rcPage;
            range.chrg.cpMin = first;
            first = edit->FormatRange(true, &range);
            if (first >= textLength || first == NoPosition)
                break;
            printer.newPage();
        }
    }
    painter.end();
}
