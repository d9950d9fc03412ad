#pragma once

// A split tool-bar button for picking a colour: the main part shows the glyph
// with a bar of the selected colour under it, the narrow arrow part at the
// right opens the palette window (TZvColorForm) under the button. The palette
// closes when a colour is picked, on Escape, on the arrow, or when it loses the
// focus with the pointer off the arrow; torn off by its drag bar it floats and
// stays open.
//
// Events (each optional, given the sender): OnClick for a click on the main
// part, which changes no colour; OnDropDown just before the palette opens from
// the arrow; OnArrowClick after every arrow click; OnColorButtonClick for each
// click on a palette button (sender: that button), before the colour changes;
// OnColorChange after every change of SelectedColor, also one written by code.

#include "platform/Desktop.h"
#include "widgets/TZvColorButtonProperties.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <vector>

class TZvColorArrowButton;
class TZvColorForm;
class TZvColorMainButton;

class TZvColorButton : public QWidget
{
    Q_OBJECT
public:
    TZvColorButton(Desktop& desktop, QWidget* parent = nullptr);
    ~TZvColorButton() override;

    // The palette's current colour (clBlack at first). Writing a different
    // value makes it current as a click does, firing OnColorChange.
    TColor SelectedColor() const;
    void setSelectedColor(TColor color);

    // Both parts are flat (framed only under the pointer) unless this is switched off.
    bool Flat() const;
    void setFlat(bool flat);

    std::vector<TColor> CustomColors() const;
    void setCustomColors(const std::vector<TColor>& colors);

    QPixmap Glyph() const;
    void setGlyph(const QPixmap& glyph);

    TZvColorButtonProperties& Properties() { return m_properties; }

    // The two parts, in the button's client coordinates: the main part takes
    // all but the ArrowWidth pixels at the right (23 and 13 at 36 x 22).
    QRect mainPartRect() const;
    QRect arrowPartRect() const;

    TZvColorMainButton* mainButton() const { return m_mainButton; }
    TZvColorArrowButton* arrowButton() const { return m_arrowButton; }
    TZvColorForm* colorForm() const { return m_form; }
    // Set while the palette is open from the arrow.
    bool isOpen() const { return m_open; }

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnDropDown;
    std::function<void(QObject* sender)> OnArrowClick;
    std::function<void(QObject* sender)> OnColorChange;
    std::function<void(QObject* sender)> OnColorButtonClick;

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void propertyChanged(TZvColorProperty name);
    void layoutParts();
    void arrowClick();
    void openPalette();
    void closePalette();
    // Bookkeeping once the palette window has gone: arrow up, flag cleared.
    void paletteClosed();
    void paletteDeactivated();
    void colorButtonClicked(QObject* button);
    void colorChanged();
    void setPartsHot(bool hot);
    bool pointerOverArrow() const;

    TZvColorButtonProperties m_properties{[this](TZvColorProperty name) { propertyChanged(name); }};
    TZvColorMainButton* m_mainButton = nullptr;
    TZvColorArrowButton* m_arrowButton = nullptr;
    TZvColorForm* m_form = nullptr;
    bool m_open = false;
};
