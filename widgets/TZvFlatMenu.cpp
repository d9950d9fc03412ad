#include "widgets/TZvFlatMenu.h"

#include "widgets/TZvFlatMenuKinds.h"
#include "widgets/TZvFlatMenuManager.h"
#include "widgets/TZvFlatMenuStyle.h"
#include "widgets/TZvFlatMenuSubClass.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace {

bool isMenu(const QWidget* widget)
{
    return qobject_cast<const QMenu*>(widget) || qobject_cast<const QMenuBar*>(widget);
}

// A menu is excluded by its own Tag or by that of a menu or menu bar it belongs to.
bool isExcludedMenu(const QWidget* menu)
{
    for (const QWidget* widget = menu; widget && isMenu(widget); widget = widget->parentWidget()) {
        if (HasExcludedTag(widget))
            return true;
    }
    return false;
}

// The form a widget lives in; a popup menu lives in the form it was made for.
QWidget* formOf(QWidget* widget)
{
    while (qobject_cast<QMenu*>(widget) && widget->parentWidget())
        widget = widget->parentWidget();
    return widget->window();
}

bool isContainer(std::optional<TFlatControl> kind)
{
    return !kind || *kind == fcGroupBox || *kind == fcToolbar || *kind == fcControlbar || *kind == fcPanel;
}

ColorDepth displayDepth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->depth() <= 15 ? ColorDepth::Low : ColorDepth::High;
}

} // namespace

TZvFlatMenu::TZvFlatMenu(QWidget* host)
    : QObject(host), m_host(host), m_style(std::make_unique<TZvFlatMenuStyle>()), m_depth(displayDepth())
{
    m_properties.Font = QApplication::font("QMenu");
    m_properties.FontColor = clMenuText;
    m_properties.SelectFontColor = m_properties.FontColor;
    m_style->setProperties(m_properties, m_depth);
    TZvFlatMenuManager::addRenderer(this);
}

TZvFlatMenu::~TZvFlatMenu()
{
    // The menus and controls get their styles back before the flat style goes.
    detachAll();
    TZvFlatMenuManager::removeRenderer(this);
}

void TZvFlatMenu::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    updateAutoDetect();
    if (active) {
        if (m_host)
            attachForm(m_host);
        TZvFlatMenuManager::rendererActivated(this);
        return;
    }
    detachAll();
    TZvFlatMenuManager::rendererDeactivated(this);
}

void TZvFlatMenu::propertiesChanged(bool redrawMenuBar)
{
    m_style->setProperties(m_properties, m_depth);
    if (!redrawMenuBar || !m_host)
        return;
    for (QMenuBar* bar : m_host->findChildren<QMenuBar*>())
        bar->update();
}

void TZvFlatMenu::setColorProperty(TColor TZvFlatMenuProperties::*member, TColor color)
{
    m_properties.*member = color;
    propertiesChanged();
}

void TZvFlatMenu::setFlagProperty(bool TZvFlatMenuProperties::*member, bool value)
{
    m_properties.*member = value;
    propertiesChanged();
}

void TZvFlatMenu::setFont(const QFont& font, TColor color)
{
    m_properties.Font = font;
    m_properties.FontColor = color;
    propertiesChanged(true);
}

void TZvFlatMenu::setColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::Color, color);
}

void TZvFlatMenu::setIconBackColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::IconBackColor, color);
}

void TZvFlatMenu::setMenuBarColor(TColor color)
{
    m_properties.MenuBarColor = color;
    propertiesChanged(true);
}

void TZvFlatMenu::setSelectColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::SelectColor, color);
}

void TZvFlatMenu::setSelectBorderColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::SelectBorderColor, color);
}

void TZvFlatMenu::setSelectFontColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::SelectFontColor, color);
}

void TZvFlatMenu::setDisabledColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::DisabledColor, color);
}

void TZvFlatMenu::setSeparatorColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::SeparatorColor, color);
}

void TZvFlatMenu::setCheckedColor(TColor color)
{
    setColorProperty(&TZvFlatMenuProperties::CheckedColor, color);
}

void TZvFlatMenu::setIconWidth(int width)
{
    m_properties.IconWidth = width;
    propertiesChanged();
}

void TZvFlatMenu::setDrawSelect(bool draw)
{
    setFlagProperty(&TZvFlatMenuProperties::DrawSelect, draw);
}

void TZvFlatMenu::setUseSystemColors(bool use)
{
    m_properties.UseSystemColors = use;
    propertiesChanged(true);
}

void TZvFlatMenu::setUseDimColor(bool use)
{
    setFlagProperty(&TZvFlatMenuProperties::UseDimColor, use);
}

void TZvFlatMenu::setGrayLevel(int level)
{
    m_properties.GrayLevel = std::clamp(level, 0, 255);
    propertiesChanged();
}

void TZvFlatMenu::setDimLevel(int level)
{
    m_properties.DimLevel = std::clamp(level, 0, 255);
    propertiesChanged();
}

void TZvFlatMenu::setGradient(bool gradient)
{
    setFlagProperty(&TZvFlatMenuProperties::Gradient, gradient);
}

void TZvFlatMenu::setFlatMenu(bool flat)
{
    setFlagProperty(&TZvFlatMenuProperties::FlatMenu, flat);
}

void TZvFlatMenu::setDrawMenuBar(bool draw)
{
    setFlagProperty(&TZvFlatMenuProperties::DrawMenuBar, draw);
}

template <typename Change> void TZvFlatMenu::reattach(Change change)
{
    if (!m_active) {
        change();
        return;
    }
    const std::vector<QPointer<QWidget>> forms = m_forms;
    detachAll();
    change();
    for (const QPointer<QWidget>& form : forms) {
        if (form)
            attachForm(form);
    }
}

void TZvFlatMenu::setOverrideOwnerDraw(bool override)
{
    reattach([&] { m_overrideOwnerDraw = override; });
}

void TZvFlatMenu::setAutoDetect(bool autoDetect)
{
    m_autoDetect = autoDetect;
    updateAutoDetect();
}

void TZvFlatMenu::setFlatContainers(TFlatContainers containers)
{
    if (containers == m_flatContainers)
        return;
    reattach([&] { m_flatContainers = containers; });
}

void TZvFlatMenu::setFlatControls(TFlatControls controls)
{
    if (controls == m_flatControls)
        return;
    reattach([&] { m_flatControls = controls; });
}

bool TZvFlatMenu::isRestyled(const QWidget* widget) const
{
    return std::any_of(m_restyled.begin(), m_restyled.end(),
                       [widget](const auto& subClass) { return subClass->widget() == widget; });
}

bool TZvFlatMenu::wants(const QWidget* widget) const
{
    const std::optional<TFlatControl> kind = FlatControlKind(widget);
    if (!kind || !(m_flatControls & *kind))
        return false;
    if (isMenu(widget))
        return !isExcludedMenu(widget);
    const QWidget* parent = widget->parentWidget();
    if (!parent || HasExcludedTag(widget) || HasExcludedTag(parent))
        return false;
    const std::optional<TFlatContainer> container = FlatContainerKind(parent);
    return container && (m_flatContainers & *container);
}

void TZvFlatMenu::attachWidget(QWidget* widget)
{
    // Menus that lived only while shown (context menus) leave empty records.
    std::erase_if(m_restyled, [](const auto& subClass) { return !subClass->widget(); });
    if (isRestyled(widget) || !wants(widget))
        return;
    if (HasOwnLook(widget) && !m_overrideOwnerDraw)
        return;
    m_restyled.push_back(std::make_unique<TZvFlatMenuSubClass>(widget, m_style.get()));
}

void TZvFlatMenu::attachForm(QWidget* form)
{
    if (std::find(m_forms.begin(), m_forms.end(), form) != m_forms.end())
        return;
    m_forms.emplace_back(form);
    attachMenus(form);
    attachControls(form);
}

void TZvFlatMenu::attachMenus(QWidget* form)
{
    for (QMenuBar* bar : form->findChildren<QMenuBar*>())
        attachWidget(bar);
    for (QMenu* menu : form->findChildren<QMenu*>())
        attachWidget(menu);
}

void TZvFlatMenu::attachControls(QWidget* container)
{
    for (QObject* child : container->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow() || isMenu(widget))
            continue;
        attachWidget(widget);
        if (isContainer(FlatControlKind(widget)))
            attachControls(widget);
    }
}

void TZvFlatMenu::detachAll()
{
    m_restyled.clear();
    m_forms.clear();
}

void TZvFlatMenu::updateAutoDetect()
{
    qApp->removeEventFilter(this);
    if (m_active && m_autoDetect)
        qApp->installEventFilter(this);
}

bool TZvFlatMenu::eventFilter(QObject* watched, QEvent* event)
{
    // A menu or control shown for the first time in a restyled form, one that
    // was made after the form was restyled, is restyled as it appears.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && !qobject_cast<QMenu*>(widget))
        return false;
    const QWidget* form = formOf(widget);
    if (std::find(m_forms.begin(), m_forms.end(), form) != m_forms.end())
        attachWidget(widget);
    return false;
}
