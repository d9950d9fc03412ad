#pragma once

// The application's printer, which printing and the print and page setup
// dialogs share, and the page setup that the page setup dialog keeps between
// uses.

#include <QPageLayout>

class QPrinter;

// Four margins in hundredths of a millimetre.
struct PageMargins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

// What the page setup dialog shows and returns; lengths in hundredths of a
// millimetre, the paper as it stands upright.
struct PageSetupOptions
{
    PageMargins minimumMargins;
    PageMargins margins{2500, 2500, 2500, 2500};
    int paperWidth = 21000;
    int paperHeight = 29700;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    friend bool operator==(const PageSetupOptions&, const PageSetupOptions&) = default;
};

// The one printer of the application, created on first use with the first
// installed printer (a PDF file when none is installed) and freed with the
// application object.
QPrinter& Printer();

// Gives `printer` the paper and orientation of `options`; its margins stay as
// they are, so margins chosen in the page setup dialog never change printing.
void ApplyPaperAndOrientation(QPrinter& printer, const PageSetupOptions& options);
