#include "widgets/TZvColorButton.h"

#include "widgets/TZvColorArrowButton.h"
#include "widgets/TZvColorDragBar.h"
#include "widgets/TZvColorForm.h"
#include "widgets/TZvColorMainButton.h"
#include "widgets/TZvColorPanel.h"

#include <QCursor>
#include <QScreen>

#include <algorithm>

namespace {

// The smallest arrow part, and the smallest main part beside it.
constexpr int MinimumArrowWidth = 13;
constexpr int MinimumMainWidth = 23;
constexpr int MinimumHeight = 22;

} // namespace

TZvColorButton::TZvColorButton(Desktop& desktop, QWidget* parent) : QWidget(parent)
{
    m_mainButton = new TZvColorMainButton(this);
    m_arrowButton = new TZvColorArrowButton(this);
    m_form = new TZvColorForm(desktop, m_properties, this);
    connect(m_mainButton, &TZvColorMainButton::clicked, this, [this] {
        if (OnClick)
            OnClick(this);
    });
    connect(m_arrowButton, &TZvColorArrowButton::clicked, this, &TZvColorButton::arrowClick);
    connect(m_form, &TZvColorForm::closed, this, &TZvColorButton::paletteClosed);
    connect(m_form, &TZvColorForm::deactivated, this, &TZvColorButton::paletteDeactivated);
    TZvColorPanel* panel = m_form->panel();
    panel->OnColorButtonClick = [this](QObject* button) { colorButtonClicked(button); };
    panel->OnColorChange = [this](QObject*) { colorChanged(); };
    resize(sizeHint());
    layoutParts();
}

TZvColorButton::~TZvColorButton()
{
    // The palette window goes first, quietly: nothing it does reaches this button any more.
    disconnect(m_form, nullptr, this, nullptr);
    m_form->panel()->OnColorButtonClick = nullptr;
    m_form->panel()->OnColorChange = nullptr;
    m_form->hide();
}

bool TZvColorButton::Flat() const
{
    return m_mainButton->isFlat();
}

void TZvColorButton::setFlat(bool flat)
{
    m_mainButton->setFlat(flat);
    m_arrowButton->setFlat(flat);
}

TColor TZvColorButton::SelectedColor() const
{
    return m_form->panel()->SelectedColor();
}

void TZvColorButton::setSelectedColor(TColor color)
{
    m_form->panel()->setSelectedColor(color);
}

std::vector<TColor> TZvColorButton::CustomColors() const
{
    return m_form->panel()->CustomColors();
}

void TZvColorButton::setCustomColors(const std::vector<TColor>& colors)
{
    m_form->panel()->setCustomColors(colors);
}

QPixmap TZvColorButton::Glyph() const
{
    return m_mainButton->Glyph();
}

void TZvColorButton::setGlyph(const QPixmap& glyph)
{
    m_mainButton->setGlyph(glyph);
}

QSize TZvColorButton::sizeHint() const
{
    return {std::max(m_properties.ArrowWidth(), MinimumArrowWidth) + MinimumMainWidth, MinimumHeight};
}

QRect TZvColorButton::mainPartRect() const
{
    return {0, 0, width() - arrowPartRect().width(), height()};
}

QRect TZvColorButton::arrowPartRect() const
{
    const int arrowWidth = std::max(m_properties.ArrowWidth(), MinimumArrowWidth);
    return {width() - arrowWidth, 0, arrowWidth, height()};
}

void TZvColorButton::layoutParts()
{
    if (m_properties.ArrowWidth() < MinimumArrowWidth)
        m_properties.setArrowWidth(MinimumArrowWidth);
    setMinimumSize(sizeHint());
    m_mainButton->setGeometry(mainPartRect());
    m_arrowButton->setGeometry(arrowPartRect());
}

void TZvColorButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutParts();
}

void TZvColorButton::propertyChanged(TZvColorProperty name)
{
    switch (name) {
    case TZvColorProperty::ShowDragBar:
    case TZvColorProperty::DragBarHeight:
    case TZvColorProperty::DragBarSpace:
        m_form->layoutContents();
        return;
    case TZvColorProperty::DragCaption:
        m_form->setWindowTitle(m_properties.DragCaption());
        return;
    case TZvColorProperty::DragBarHint:
        m_form->dragBar()->setToolTip(m_properties.DragBarHint());
        return;
    case TZvColorProperty::ArrowWidth:
        layoutParts();
        return;
    case TZvColorProperty::EdgeWidth:
        m_mainButton->setEdgeWidth(m_properties.EdgeWidth());
        return;
    case TZvColorProperty::ShowAutoButton:
    case TZvColorProperty::ShowOtherButton:
    case TZvColorProperty::ShowColorHint:
    case TZvColorProperty::TopMargin:
    case TZvColorProperty::BottomMargin:
    case TZvColorProperty::HorizontalMargin:
    case TZvColorProperty::ColorSpace:
    case TZvColorProperty::ColorSpaceTop:
    case TZvColorProperty::ColorSpaceBottom:
    case TZvColorProperty::ColorSize:
    case TZvColorProperty::ButtonHeight:
    case TZvColorProperty::AutoCaption:
    case TZvColorProperty::OtherCaption:
    case TZvColorProperty::AutoHint:
    case TZvColorProperty::OtherHint:
    case TZvColorProperty::RightClickSelect:
    case TZvColorProperty::SelectIfPopup:
    case TZvColorProperty::AutoColor:
        break;
    }
    // The palette's own settings: the panel gets the whole set, then the window
    // follows the panel's new size.
    TZvColorPanel* panel = m_form->panel();
    panel->Properties().assignValues(m_properties);
    panel->propertyChanged(name);
    m_form->layoutContents();
}

void TZvColorButton::arrowClick()
{
    if (m_form->isVisible() || m_open)
        closePalette();
    else
        openPalette();
    if (OnArrowClick)
        OnArrowClick(this);
}

void TZvColorButton::openPalette()
{
    if (OnDropDown)
        OnDropDown(this);
    const QRect buttonOnScreen(mapToGlobal(mainPartRect().topLeft()), size());
    const QScreen* shownOn = screen();
    const QRect screenRect = shownOn ? shownOn->geometry() : QRect(buttonOnScreen.topLeft(), m_form->size());
    m_form->move(TZvColorForm::dropDownPosition(buttonOnScreen, m_form->size(), screenRect));
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
    m_open = true;
    m_arrowButton->setChecked(true);
    setPartsHot(true);
}

void TZvColorButton::closePalette()
{
    m_form->hide();
    paletteClosed();
}

void TZvColorButton::paletteClosed()
{
    m_open = false;
    m_arrowButton->setChecked(false);
    setPartsHot(underMouse());
}

void TZvColorButton::paletteDeactivated()
{
    // A click on the arrow itself closes the palette through arrowClick.
    if (m_form->isFloating() || pointerOverArrow())
        return;
    closePalette();
}

bool TZvColorButton::pointerOverArrow() const
{
    return arrowPartRect().contains(mapFromGlobal(QCursor::pos()));
}

void TZvColorButton::colorButtonClicked(QObject* button)
{
    if (!m_form->isFloating())
        closePalette();
    else if (button == m_form->panel()->otherButton())
        m_form->setTopmost(false); // the colour dialog must not hide behind the palette
    if (OnColorButtonClick)
        OnColorButtonClick(button);
}

void TZvColorButton::colorChanged()
{
    m_mainButton->setColor(SelectedColor());
    if (m_form->isFloating())
        m_form->setTopmost(true);
    if (OnColorChange)
        OnColorChange(this);
}

void TZvColorButton::setPartsHot(bool hot)
{
    m_mainButton->setHot(hot);
    m_arrowButton->setHot(hot);
}

void TZvColorButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    setPartsHot(true);
}

void TZvColorButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    setPartsHot(m_open);
}
