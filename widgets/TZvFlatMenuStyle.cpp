#include "widgets/TZvFlatMenuStyle.h"

#include "platform/OsVersion.h"
#include "widgets/TZvFlatMenuControlPainter.h"
#include "widgets/TZvFlatMenuKinds.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOption>

namespace {

constexpr int excludedTag = 999;

bool isVersion51()
{
    const OSVERSIONINFO version = GetVersionEx();
    return version.dwMajorVersion == 5 && version.dwMinorVersion == 1;
}

bool isNtFamily()
{
    return GetVersionEx().dwPlatformId == VER_PLATFORM_WIN32_NT;
}

QString captionPart(const QString& text)
{
    return text.section(u'\t', 0, 0);
}

// The action an item option stands for: by the item's place while drawing,
// by its caption while measuring, when no place is known yet.
const QAction* actionOf(const QWidget* widget, const QStyleOptionMenuItem& option, bool placed)
{
    QList<QAction*> actions;
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) {
        if (placed)
            return menu->actionAt(option.rect.center());
        actions = menu->actions();
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) {
        if (placed)
            return bar->actionAt(option.rect.center());
        actions = bar->actions();
    }
    const QString caption = captionPart(option.text);
    for (const QAction* action : actions) {
        if (captionPart(action->text()) == caption)
            return action;
    }
    return nullptr;
}

bool isExcluded(const QAction* action)
{
    return action && action->property("Tag").toInt() == excludedTag;
}

// Only menus and the menu bar get the flat menu items. A combo box lays out and
// draws the rows of its list as menu items too, in some styles, and there the
// size it proposes is the whole list's, which the flat measure would keep.
bool isMenu(const QWidget* widget)
{
    return qobject_cast<const QMenu*>(widget) || qobject_cast<const QMenuBar*>(widget);
}

TZvFlatMenuItem itemOf(const QStyleOptionMenuItem& option, MenuItemPlace place, int iconSize)
{
    TZvFlatMenuItem item;
    item.place = place;
    item.caption = option.menuItemType == QStyleOptionMenuItem::Separator ? QStringLiteral("-")
                                                                          : captionPart(option.text);
    if (option.text.contains(u'\t'))
        item.shortcut = option.text.section(u'\t', 1);
    if (!option.icon.isNull())
        item.image = option.icon.pixmap(iconSize).toImage();
    item.check = option.checkType == QStyleOptionMenuItem::Exclusive      ? MenuItemCheck::Radio
                 : option.checkType == QStyleOptionMenuItem::NonExclusive ? MenuItemCheck::Check
                                                                          : MenuItemCheck::None;
    item.checked = option.checked;
    item.enabled = option.state & QStyle::State_Enabled;
    item.defaultItem = option.menuItemType == QStyleOptionMenuItem::DefaultItem;
    item.hasSubMenu = option.menuItemType == QStyleOptionMenuItem::SubMenu;
    item.direction = option.direction;
    const bool selected = option.state & QStyle::State_Selected;
    if (place == MenuItemPlace::BelowBar) {
        item.selected = selected;
        return item;
    }
    // On the menu bar an open item is sunken; a selected one that is not
    // open is only under the pointer (or the keyboard).
    item.selected = selected && (option.state & QStyle::State_Sunken);
    item.hovered = selected && !item.selected && isNtFamily();
    return item;
}

FlatControlState stateOf(const QStyleOption& option)
{
    FlatControlState state;
    state.hovered = option.state & QStyle::State_MouseOver;
    state.focused = option.state & QStyle::State_HasFocus;
    state.pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    state.enabled = option.state & QStyle::State_Enabled;
    return state;
}

QColor parentColor(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget() ? widget->parentWidget() : widget;
    return parent->palette().color(parent->backgroundRole());
}

QColor ownColor(const QWidget* widget)
{
    return widget->palette().color(widget->backgroundRole());
}

bool isBand(const QWidget* widget)
{
    return widget && FlatControlKind(widget) == fcControlbar;
}

bool isFlatGroupBox(const QWidget* widget, const QStyleOptionComplex* option)
{
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    return box && !(option->subControls & QStyle::SC_GroupBoxCheckBox);
}

} // namespace

QRegion FlatPopupRegion(QSize size)
{
    return QRegion(0, 0, size.width() - 2, size.height() - 2) +
           QRegion(2, 2, size.width() - 2, size.height() - 2);
}

TZvFlatMenuStyle::TZvFlatMenuStyle() = default;

void TZvFlatMenuStyle::setProperties(const TZvFlatMenuProperties& properties, ColorDepth depth)
{
    m_properties = properties;
    m_depth = depth;
    m_painter.reset();
}

const TZvFlatMenuPainter& TZvFlatMenuStyle::menuPainter() const
{
    if (!m_painter)
        m_painter.emplace(m_properties, m_depth);
    return *m_painter;
}

int TZvFlatMenuStyle::thumbWidth() const
{
    return baseStyle()->pixelMetric(PM_ScrollBarExtent);
}

void TZvFlatMenuStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (!qobject_cast<QMenu*>(widget) || !m_properties.FlatMenu)
        return;
    widget->installEventFilter(this);
    if (!isVersion51())
        widget->setMask(FlatPopupRegion(widget->size()));
}

void TZvFlatMenuStyle::unpolish(QWidget* widget)
{
    if (qobject_cast<QMenu*>(widget)) {
        widget->removeEventFilter(this);
        widget->clearMask();
    }
    QProxyStyle::unpolish(widget);
}

bool TZvFlatMenuStyle::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && event->type() == QEvent::Resize && menu->style() == this && !isVersion51())
        menu->setMask(FlatPopupRegion(menu->size()));
    return QProxyStyle::eventFilter(watched, event);
}

int TZvFlatMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        if (m_properties.FlatMenu)
            return popupFrameWidth;
        break;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuBarItemSpacing:
    case PM_MenuBarPanelWidth:
    case PM_MenuBarHMargin:
    case PM_MenuBarVMargin:
        return 0;
    case PM_ToolBarFrameWidth:
        if (isBand(widget))
            return 0;
        break;
    case PM_ToolBarItemMargin:
        // A band is as high as its 26-pixel minimum around buttons of 23 pixels.
        if (isBand(widget))
            return 1;
        break;
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return thumbWidth();
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize TZvFlatMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                         const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item || (type != CT_MenuItem && type != CT_MenuBarItem) || !isMenu(widget) ||
        isExcluded(actionOf(widget, *item, false)))
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const MenuItemPlace place = type == CT_MenuItem ? MenuItemPlace::BelowBar : MenuItemPlace::OnBar;
    const TZvFlatMenuItem flatItem = itemOf(*item, place, pixelMetric(PM_SmallIconSize, option, widget));
    QSize measured = menuPainter().measure(flatItem, size);
    // A menu adds the width of its widest shortcut to all its items itself.
    if (!flatItem.shortcut.isEmpty())
        measured.rwidth() -= item->fontMetrics.horizontalAdvance(flatItem.shortcut);
    return measured;
}

bool TZvFlatMenuStyle::drawMenuItem(const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item || !isMenu(widget) || isExcluded(actionOf(widget, *item, true)))
        return false;
    const MenuItemPlace place =
        qobject_cast<const QMenuBar*>(widget) ? MenuItemPlace::OnBar : MenuItemPlace::BelowBar;
    const TZvFlatMenuItem flatItem = itemOf(*item, place, pixelMetric(PM_SmallIconSize, option, widget));
    menuPainter().paint(*painter, item->rect, flatItem);
    if (!flatItem.hasSubMenu)
        return true;
    QStyleOption arrow(*option);
    const bool rightToLeft = item->direction == Qt::RightToLeft;
    arrow.rect = rightToLeft ? QRect(item->rect.left() + 4, item->rect.top(), 10, item->rect.height())
                             : QRect(item->rect.right() - 13, item->rect.top(), 10, item->rect.height());
    arrow.state &= ~State_Selected;
    proxy()->drawPrimitive(rightToLeft ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight, &arrow, painter,
                           widget);
    return true;
}

void TZvFlatMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (drawMenuItem(option, painter, widget))
            return;
        break;
    case CE_ToolBar:
        if (!isBand(widget))
            break;
        painter->fillRect(option->rect, bandColor(widget));
        return;
    case CE_MenuEmptyArea:
        painter->fillRect(option->rect, menuPainter().colors().menuBackground);
        return;
    case CE_MenuBarEmptyArea:
        painter->fillRect(option->rect, menuPainter().colors().menuBar);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TZvFlatMenuStyle::drawPopupFrame(const QStyleOption* option, QPainter* painter) const
{
    const TZvFlatMenuColors& colors = menuPainter().colors();
    const QSize size = option->rect.size();
    const bool version51 = isVersion51();
    const QRect frame =
        version51 ? QRect(QPoint(0, 0), size) : QRect(0, 0, size.width() - 2, size.height() - 2);
    painter->setPen(colors.popupFrame);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(frame.adjusted(0, 0, -1, -1));
    const int strip = option->direction == Qt::RightToLeft ? frame.right() - 2 : 1;
    painter->fillRect(strip, 1, 2, frame.height() - 2, colors.iconColumn);
    // The two rows between the frame and the first item continue the items' background.
    const QSize rows(size.width() - 2 * popupFrameWidth, 2);
    const QImage background = menuPainter().render(TZvFlatMenuItem{}, rows);
    painter->drawImage(popupFrameWidth, 1, background);
    if (version51) {
        painter->drawImage(popupFrameWidth, frame.bottom() - 2, background);
        painter->fillRect(frame.right() - 2, 1, 2, frame.height() - 2, colors.menuBackground);
        return;
    }
    painter->fillRect(2, size.height() - 2, size.width() - 2, 2, colors.popupShadow);
    painter->fillRect(size.width() - 2, 2, 2, size.height() - 2, colors.popupShadow);
}

QColor TZvFlatMenuStyle::bandColor(const QWidget* band) const
{
    const QColor bar = parentColor(band);
    return m_depth == ColorDepth::High ? Lighten(bar, 6) : bar;
}

void TZvFlatMenuStyle::drawGrip(const QRect& rect, QPainter* painter, const QWidget* band) const
{
    // Short lines on every other row, each a shade darker than the one above.
    painter->fillRect(rect, bandColor(band));
    const QColor bar = parentColor(band);
    int darkening = 30;
    for (int y = rect.top() + 5; y <= rect.top() + rect.height() - 5; y += 2, darkening += 7) {
        painter->setPen(Darken(bar, darkening));
        painter->drawLine(rect.left() + 3, y, rect.left() + 5, y);
    }
}

void TZvFlatMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const
{
    const TZvFlatMenuControlPainter controls(menuPainter().colors());
    switch (element) {
    case PE_PanelMenu:
        painter->fillRect(option->rect, menuPainter().colors().menuBackground);
        return;
    case PE_FrameMenu:
        if (!m_properties.FlatMenu || !qobject_cast<const QMenu*>(widget))
            break;
        drawPopupFrame(option, painter);
        return;
    case PE_PanelMenuBar:
        painter->fillRect(option->rect, menuPainter().colors().menuBar);
        return;
    case PE_PanelToolBar:
        if (!isBand(widget))
            break;
        painter->fillRect(option->rect, bandColor(widget));
        return;
    case PE_IndicatorToolBarHandle:
        if (!isBand(widget))
            break;
        drawGrip(option->rect, painter, widget);
        return;
    case PE_PanelLineEdit:
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
            frame && qobject_cast<const QLineEdit*>(widget)) {
            painter->fillRect(option->rect, option->palette.color(QPalette::Base));
            controls.paintEdit(*painter, option->rect, option->palette.color(QPalette::Base),
                               parentColor(widget), frame->lineWidth > 0, stateOf(*option));
            return;
        }
        break;
    case PE_IndicatorCheckBox:
        if (qobject_cast<const QCheckBox*>(widget)) {
            const CheckMark mark = option->state & State_NoChange ? CheckMark::Grayed
                                   : option->state & State_On     ? CheckMark::Checked
                                                                  : CheckMark::Unchecked;
            FlatControlState state = stateOf(*option);
            state.pressed = option->state & State_Sunken;
            controls.paintCheckBox(*painter, option->rect, ownColor(widget), mark, state);
            return;
        }
        break;
    case PE_IndicatorRadioButton:
        if (qobject_cast<const QRadioButton*>(widget)) {
            controls.paintRadioButton(*painter, option->rect, ownColor(widget), option->state & State_On,
                                      stateOf(*option));
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TZvFlatMenuStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                          QPainter* painter, const QWidget* widget) const
{
    const TZvFlatMenuControlPainter controls(menuPainter().colors());
    if (control == CC_ComboBox && qobject_cast<const QComboBox*>(widget)) {
        const QColor own = option->palette.color(QPalette::Base);
        painter->fillRect(option->rect.adjusted(2, 2, -2, -2), own);
        controls.paintCombo(*painter, option->rect, own, parentColor(widget), thumbWidth(), stateOf(*option));
        return;
    }
    if (control == CC_SpinBox && qobject_cast<const QAbstractSpinBox*>(widget)) {
        if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option)) {
            QStyleOptionSpinBox frameless(*spin);
            frameless.frame = false;
            QProxyStyle::drawComplexControl(control, &frameless, painter, widget);
            controls.paintEdit(*painter, option->rect, option->palette.color(QPalette::Base),
                               parentColor(widget), spin->frame, stateOf(*option));
            return;
        }
    }
    if (control == CC_GroupBox && isFlatGroupBox(widget, option)) {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        const QColor background = option->palette.color(QPalette::Window);
        const bool raised = !(box && (box->features & QStyleOptionFrame::Flat));
        controls.paintGroupBox(*painter, subControlRect(control, option, SC_GroupBoxFrame, widget),
                               background, raised);
        if (!box || box->text.isEmpty())
            return;
        const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
        painter->fillRect(label, background);
        painter->setPen(box->textColor.isValid() ? box->textColor
                                                 : option->palette.color(QPalette::WindowText));
        painter->drawText(label, Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignVCenter, box->text);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect TZvFlatMenuStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                       SubControl subControl, const QWidget* widget) const
{
    if (control == CC_ComboBox && qobject_cast<const QComboBox*>(widget)) {
        const QRect button =
            TZvFlatMenuControlPainter::buttonRect(option->rect, thumbWidth(), stateOf(*option));
        switch (subControl) {
        case SC_ComboBoxArrow:
            return button;
        case SC_ComboBoxEditField:
            return QRect(QPoint(option->rect.left() + 3, option->rect.top() + 3),
                         QPoint(button.left() - 7, option->rect.bottom() - 3));
        case SC_ComboBoxFrame:
            return option->rect;
        default:
            break;
        }
    }
    if (control == CC_GroupBox && isFlatGroupBox(widget, option)) {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        const QFontMetrics metrics = option->fontMetrics;
        const int captionHeight = metrics.height();
        switch (subControl) {
        case SC_GroupBoxFrame:
            return QRect(option->rect.left(), option->rect.top() + captionHeight / 2, option->rect.width(),
                         option->rect.height() - captionHeight / 2);
        case SC_GroupBoxLabel: {
            const int width = box ? metrics.horizontalAdvance(box->text) + 4 : 0;
            const int left = option->direction == Qt::RightToLeft ? option->rect.right() - 9 - width + 1
                                                                  : option->rect.left() + 9;
            return QRect(left, option->rect.top(), width, captionHeight);
        }
        default:
            break;
        }
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

QRect TZvFlatMenuStyle::subElementRect(SubElement element, const QStyleOption* option,
                                       const QWidget* widget) const
{
    if (element != SE_CheckBoxIndicator && element != SE_RadioButtonIndicator)
        return QProxyStyle::subElementRect(element, option, widget);
    // A square of the scroll-thumb width, centred in the height less 3 pixels
    // at the top and bottom (a radio button 4 pixels and one pixel smaller),
    // on the side the reading order begins with.
    const bool radio = element == SE_RadioButtonIndicator;
    const int inset = radio ? 4 : 3;
    const int side = radio ? thumbWidth() - 1 : thumbWidth();
    const QRect area = option->rect.adjusted(0, inset, 0, -inset);
    const int top = area.top() + (area.height() - side) / 2;
    const int left =
        option->direction == Qt::RightToLeft ? option->rect.right() - side + 1 : option->rect.left();
    return QRect(left, top, side, side);
}

int TZvFlatMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const
{
    if (hint == SH_MenuBar_MouseTracking || hint == SH_Menu_MouseTracking)
        return 1;
    // A list drops down below its box, a few rows high with a scroll bar,
    // rather than opening over the box as a menu.
    if (hint == SH_ComboBox_Popup && qobject_cast<const QComboBox*>(widget))
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
