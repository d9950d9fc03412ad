#pragma once

// The palette panel: an automatic-colour button, 40 colour cells in 8 columns
// and 5 rows, and an other-colours button that runs the colour dialog through
// the Desktop. It keeps the current colour (clBlack at first, while the
// automatic button is shown pressed) and presses the button that shows it.
//
// Changing the current colour (by a click or by setSelectedColor) does nothing
// when the colour is unchanged; otherwise it presses the automatic button when
// the colour is its colour, else the first cell of that colour, else none, and
// then fires OnColorChange. OnColorButtonClick fires for every click on a
// palette button, before the colour changes, with the button as sender.

#include "platform/Desktop.h"
#include "platform/SysColor.h"
#include "widgets/TZvColorPaletteButton.h"
#include "widgets/TZvColorPanelLayout.h"
#include "widgets/TZvColorPanelProperties.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class TZvColorPanel : public QWidget
{
    Q_OBJECT
public:
    TZvColorPanel(Desktop& desktop, QWidget* parent);

    TColor SelectedColor() const { return m_selectedColor; }
    void setSelectedColor(TColor color);

    // The colour dialog's custom colours, kept between its uses.
    std::vector<TColor> CustomColors() const { return m_customColors; }
    void setCustomColors(const std::vector<TColor>& colors) { m_customColors = colors; }

    TZvColorPanelProperties& Properties() { return m_properties; }
    // Shows the effect of a changed property (announced by Properties(), or
    // by an owner that has copied its own set into Properties()).
    void propertyChanged(TZvColorProperty name);

    TZvColorPaletteButton* autoButton() const { return m_autoButton; }
    TZvColorPaletteButton* otherButton() const { return m_otherButton; }
    TZvColorPaletteButton* cell(int index) const { return m_cells.at(std::size_t(index)); }

    std::function<void(QObject* sender)> OnColorChange;
    std::function<void(QObject* sender)> OnColorButtonClick;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZvColorPaletteButton* newButton(TZvColorPaletteButton::Kind kind, TColor color);
    void buttonClicked(TZvColorPaletteButton* button);
    void cellRightClicked(TZvColorPaletteButton* cell);
    void runColorDialog();
    // Presses `button` and releases every other palette button; null releases all.
    void pressOnly(const TZvColorPaletteButton* button);
    TZvColorPaletteButton* buttonShowing(TColor color) const;
    bool hasPopupMenu() const;
    void layoutButtons();
    void applyWideButtonHints();
    std::vector<TZvColorPaletteButton*> allButtons() const;

    Desktop& m_desktop;
    TZvColorPanelProperties m_properties{[this](TZvColorProperty name) { propertyChanged(name); }};
    TZvColorPaletteButton* m_autoButton = nullptr;
    TZvColorPaletteButton* m_otherButton = nullptr;
    std::array<TZvColorPaletteButton*, TZvColorPanelLayout::CellCount> m_cells{};
    TColor m_selectedColor = RGB(0, 0, 0);
    std::vector<TColor> m_customColors;
};
