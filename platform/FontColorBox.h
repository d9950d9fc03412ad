#pragma once

// The colour list of the font dialog: "Automatická" for the automatic text
// colour, then the sixteen standard colours by their Czech names, each with a
// swatch. A colour that is neither is kept as one more entry, "Vlastní", so
// that a font passes through the dialog with its colour unchanged.

#include "platform/SysColor.h"

#include <QComboBox>

class FontColorBox : public QComboBox
{
public:
    explicit FontColorBox(QWidget* parent = nullptr);

    // Selects the entry of `color`: clWindowText and clDefault are the
    // automatic entry, an RGB value of a standard colour is that colour's
    // entry, anything else becomes the "Vlastní" entry (replacing an earlier one).
    void setColor(TColor color);

    // The selected colour: clWindowText for the automatic entry, RGB for a
    // standard colour, the kept value for "Vlastní".
    TColor color() const;

private:
    void addColor(const QString& name, TColor color);
    int m_customIndex = -1; // the row of the "Vlastní" entry; -1 while there is none
};
