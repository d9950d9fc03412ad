#pragma once

// The flat look as a Qt style: the flat menu renderer sets it on the menus
// and controls it restyles, and every other question goes to the
// application's style. Menu items and menu-bar items are measured and drawn
// by TZvFlatMenuPainter; a popup menu gets a one-pixel frame with a two-pixel
// shadow at its right and bottom, its window cut to that shape; edits, combo
// boxes, spin boxes, check boxes, radio buttons and group boxes are drawn by
// TZvFlatMenuControlPainter, and the list of a combo box drops down below the
// box; the tool bars that are bands of a control bar get a flat lightened face,
// a grip of short lines and the bands' 26 pixels of height. Menu items with the
// dynamic property "Tag" 999 keep the application style's drawing.

#include "widgets/TZvFlatMenuPainter.h"
#include "widgets/TZvFlatMenuProperties.h"

#include <QProxyStyle>

#include <optional>

class TZvFlatMenuStyle : public QProxyStyle
{
    Q_OBJECT

public:
    TZvFlatMenuStyle();

    // New settings: the colours are derived again before the next drawing.
    void setProperties(const TZvFlatMenuProperties& properties, ColorDepth depth);
    const TZvFlatMenuPainter& menuPainter() const;

    // The width of the popup frame: the frame line and two pixels of icon
    // column on the left and top, the line and the shadow on the right and bottom.
    static constexpr int popupFrameWidth = 3;

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool drawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawPopupFrame(const QStyleOption* option, QPainter* painter) const;
    // A band of a control bar: its colour, the control bar's lightened by 6
    // per cent on deep displays, and its grip.
    QColor bandColor(const QWidget* band) const;
    void drawGrip(const QRect& rect, QPainter* painter, const QWidget* band) const;
    int thumbWidth() const;

    TZvFlatMenuProperties m_properties;
    ColorDepth m_depth = ColorDepth::High;
    mutable std::optional<TZvFlatMenuPainter> m_painter;
};

// The shape of a popup menu `size` large: the frame part with the shadow part
// two pixels right and down, leaving the two corners beside the shadow open.
QRegion FlatPopupRegion(QSize size);
