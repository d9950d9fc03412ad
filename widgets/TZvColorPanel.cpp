#include "widgets/TZvColorPanel.h"

#include "widgets/TZvColorNames.h"

#include <QPainter>

namespace {

// The colours of the cells, row by row.
const std::array<TColor, TZvColorPanelLayout::CellCount>& cellColors()
{
    static constexpr std::array<TColor, TZvColorPanelLayout::CellCount> colors{
        clBlack,
        RGB(0x99, 0x33, 0x00),
        RGB(0x33, 0x33, 0x00),
        RGB(0x00, 0x33, 0x00),
        RGB(0x00, 0x33, 0x66),
        clNavy,
        RGB(0x33, 0x33, 0x99),
        RGB(0x33, 0x33, 0x33),
        clMaroon,
        RGB(0xFF, 0x66, 0x00),
        clOlive,
        clGreen,
        clTeal,
        clBlue,
        RGB(0x66, 0x66, 0x99),
        clGray,
        clRed,
        RGB(0xFF, 0x99, 0x00),
        RGB(0x99, 0xCC, 0x00),
        RGB(0x33, 0x99, 0x66),
        RGB(0x33, 0xCC, 0xCC),
        RGB(0x33, 0x66, 0xFF),
        clPurple,
        RGB(0x99, 0x99, 0x99),
        clFuchsia,
        RGB(0xFF, 0xCC, 0x00),
        clYellow,
        clLime,
        clAqua,
        RGB(0x00, 0xCC, 0xFF),
        RGB(0x99, 0x33, 0x66),
        clSilver,
        RGB(0xFF, 0x99, 0xCC),
        RGB(0xFF, 0xCC, 0x99),
        RGB(0xFF, 0xFF, 0x99),
        RGB(0xCC, 0xFF, 0xCC),
        RGB(0xCC, 0xFF, 0xFF),
        RGB(0x99, 0xCC, 0xFF),
        RGB(0xCC, 0x99, 0xFF),
        clWhite,
    };
    return colors;
}

} // namespace

TZvColorPanel::TZvColorPanel(Desktop& desktop, QWidget* parent) : QWidget(parent), m_desktop(desktop)
{
    using Kind = TZvColorPaletteButton::Kind;
    m_autoButton = newButton(Kind::Automatic, m_properties.AutoColor());
    m_autoButton->setText(m_properties.AutoCaption());
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        m_cells[index] = newButton(Kind::Cell, cellColors()[index]);
    m_otherButton = newButton(Kind::Other, clDefault);
    m_otherButton->setText(m_properties.OtherCaption());
    // A new panel shows its automatic button pressed, whatever its colour.
    m_autoButton->setChecked(true);
    layoutButtons();
}

TZvColorPaletteButton* TZvColorPanel::newButton(TZvColorPaletteButton::Kind kind, TColor color)
{
    auto* button = new TZvColorPaletteButton(kind, this);
    button->setColor(color);
    button->setHint(ColorToString(color));
    connect(button, &TZvColorPaletteButton::clicked, this, [this, button] { buttonClicked(button); });
    if (kind == TZvColorPaletteButton::Kind::Cell)
        connect(button, &TZvColorPaletteButton::rightClicked, this,
                [this, button] { cellRightClicked(button); });
    return button;
}

std::vector<TZvColorPaletteButton*> TZvColorPanel::allButtons() const
{
    std::vector<TZvColorPaletteButton*> buttons{m_autoButton, m_otherButton};
    buttons.insert(buttons.end(), m_cells.begin(), m_cells.end());
    return buttons;
}

void TZvColorPanel::setSelectedColor(TColor color)
{
    if (color == m_selectedColor)
        return;
    m_selectedColor = color;
    pressOnly(buttonShowing(color));
    if (OnColorChange)
        OnColorChange(this);
}

TZvColorPaletteButton* TZvColorPanel::buttonShowing(TColor color) const
{
    if (color == m_autoButton->Color())
        return m_autoButton;
    for (TZvColorPaletteButton* cell : m_cells) {
        if (cell->Color() == color)
            return cell;
    }
    return nullptr;
}

void TZvColorPanel::pressOnly(const TZvColorPaletteButton* button)
{
    for (TZvColorPaletteButton* each : allButtons())
        each->setChecked(each == button);
}

void TZvColorPanel::buttonClicked(TZvColorPaletteButton* button)
{
    if (OnColorButtonClick)
        OnColorButtonClick(button);
    if (button->kind() == TZvColorPaletteButton::Kind::Other) {
        runColorDialog();
        return;
    }
    pressOnly(button);
    setSelectedColor(button->Color());
}

void TZvColorPanel::cellRightClicked(TZvColorPaletteButton* cell)
{
    if (!m_properties.RightClickSelect())
        return;
    if (hasPopupMenu() && !m_properties.SelectIfPopup())
        return;
    buttonClicked(cell);
}

bool TZvColorPanel::hasPopupMenu() const
{
    for (const QWidget* widget = this; widget; widget = widget->parentWidget()) {
        const Qt::ContextMenuPolicy policy = widget->contextMenuPolicy();
        if (policy == Qt::CustomContextMenu ||
            (policy == Qt::ActionsContextMenu && !widget->actions().isEmpty()))
            return true;
    }
    return false;
}

void TZvColorPanel::runColorDialog()
{
    // The dialog starts at the current colour as plain RGB.
    ColorDialogOptions options{QColorToColorRef(SysColor(m_selectedColor)), m_customColors};
    if (!m_desktop.chooseColor(options))
        return;
    m_customColors = options.customColors;
    setSelectedColor(options.color);
    m_otherButton->setColor(options.color);
    m_otherButton->setHint(ColorToString(options.color));
}

void TZvColorPanel::propertyChanged(TZvColorProperty name)
{
    switch (name) {
    case TZvColorProperty::AutoCaption:
        m_autoButton->setText(m_properties.AutoCaption());
        break;
    case TZvColorProperty::OtherCaption:
        m_otherButton->setText(m_properties.OtherCaption());
        break;
    case TZvColorProperty::AutoHint:
    case TZvColorProperty::OtherHint:
        applyWideButtonHints();
        return;
    case TZvColorProperty::AutoColor:
        m_autoButton->setColor(m_properties.AutoColor());
        applyWideButtonHints();
        return;
    case TZvColorProperty::ShowColorHint:
        for (TZvColorPaletteButton* button : allButtons())
            button->setShowHint(m_properties.ShowColorHint());
        return;
    case TZvColorProperty::ShowAutoButton:
    case TZvColorProperty::ShowOtherButton:
    case TZvColorProperty::TopMargin:
    case TZvColorProperty::BottomMargin:
    case TZvColorProperty::HorizontalMargin:
    case TZvColorProperty::ColorSpace:
    case TZvColorProperty::ColorSpaceTop:
    case TZvColorProperty::ColorSpaceBottom:
    case TZvColorProperty::ColorSize:
    case TZvColorProperty::ButtonHeight:
    case TZvColorProperty::RightClickSelect:
    case TZvColorProperty::SelectIfPopup:
    case TZvColorProperty::EdgeWidth:
    case TZvColorProperty::ArrowWidth:
    case TZvColorProperty::ShowDragBar:
    case TZvColorProperty::DragCaption:
    case TZvColorProperty::DragBarHint:
    case TZvColorProperty::DragBarHeight:
    case TZvColorProperty::DragBarSpace:
        break;
    }
    layoutButtons();
}

void TZvColorPanel::applyWideButtonHints()
{
    const QString autoHint = m_properties.AutoHint();
    const QString otherHint = m_properties.OtherHint();
    m_autoButton->setHint(autoHint.isEmpty() ? ColorToString(m_autoButton->Color()) : autoHint);
    m_otherButton->setHint(otherHint.isEmpty() ? ColorToString(m_otherButton->Color()) : otherHint);
}

void TZvColorPanel::layoutButtons()
{
    const TZvColorPanelLayout layout(m_properties);
    setFixedSize(layout.panelSize());
    m_autoButton->setVisible(m_properties.autoButtonShown());
    m_autoButton->setGeometry(layout.autoButtonRect());
    for (int index = 0; index < TZvColorPanelLayout::CellCount; ++index)
        cell(index)->setGeometry(layout.cellRect(index));
    m_otherButton->setVisible(m_properties.otherButtonShown());
    m_otherButton->setGeometry(layout.otherButtonRect());
}

void TZvColorPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), SysColor(clBtnFace));
    // The panel is flat: a one-pixel line of the face colour round its client area.
    painter.setPen(SysColor(clBtnFace));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
