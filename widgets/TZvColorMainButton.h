#pragma once

// The main part of the colour button: the glyph with a bar of the selected
// colour under it, or, without a glyph, a swatch of the colour inset by the
// edge width. Its hover frame follows the colour button as a whole.

#include "widgets/TZvColorSpeedButton.h"

#include <QPixmap>

class TZvColorMainButton : public TZvColorSpeedButton
{
    Q_OBJECT
public:
    explicit TZvColorMainButton(QWidget* parent);

    // Magenta #FF00FF pixels of the glyph are transparent.
    QPixmap Glyph() const { return m_glyph; }
    void setGlyph(const QPixmap& glyph);
    int EdgeWidth() const { return m_edgeWidth; }
    void setEdgeWidth(int width);

    // The 17 x 4 bar of the colour under the glyph, one pixel further right
    // and down while the part is pressed.
    QRect colorBarRect() const;

protected:
    void paintContent(QPainter& painter) override;

private:
    QPixmap m_glyph;
    int m_edgeWidth = 4;
};
