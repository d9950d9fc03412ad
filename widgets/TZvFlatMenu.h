#pragma once

// The flat menu renderer: a non-visual component of a form (its host).
// While Active it draws the host's menu bar and pop-up menus flat and
// restyles the host's standard controls (TZvFlatMenuStyle), and through the
// shared TZvFlatMenuManager the application's other forms that have no
// renderer of their own. Switching it off gives every menu and control its
// previous style back.
//
// Menus, menu items (QActions), controls and forms with the dynamic property
// "Tag" 999 are never touched; nor are controls whose parent has it. A menu
// or control that has a style or style sheet of its own keeps it unless
// OverrideOwnerDraw is set.

#include "widgets/TZvFlatMenuProperties.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QWidget;
class TZvFlatMenuStyle;
class TZvFlatMenuSubClass;

class TZvFlatMenu : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE setActive)

public:
    explicit TZvFlatMenu(QWidget* host);
    ~TZvFlatMenu() override;

    QWidget* host() const { return m_host; }
    TZvFlatMenuStyle* style() const { return m_style.get(); }

    bool Active() const { return m_active; }
    void setActive(bool active);

    const QFont& Font() const { return m_properties.Font; }
    void setFont(const QFont& font, TColor color);
    TColor Color() const { return m_properties.Color; }
    void setColor(TColor color);
    void setIconBackColor(TColor color);
    void setMenuBarColor(TColor color);
    void setSelectColor(TColor color);
    void setSelectBorderColor(TColor color);
    void setSelectFontColor(TColor color);
    void setDisabledColor(TColor color);
    void setSeparatorColor(TColor color);
    void setCheckedColor(TColor color);
    void setIconWidth(int width);
    void setDrawSelect(bool draw);
    void setUseSystemColors(bool use);
    void setUseDimColor(bool use);
    void setGrayLevel(int level);
    void setDimLevel(int level);
    void setGradient(bool gradient);
    void setFlatMenu(bool flat);
    void setDrawMenuBar(bool draw);
    const TZvFlatMenuProperties& properties() const { return m_properties; }

    bool OverrideOwnerDraw() const { return m_overrideOwnerDraw; }
    void setOverrideOwnerDraw(bool override);
    bool AutoDetect() const { return m_autoDetect; }
    void setAutoDetect(bool autoDetect);
    TFlatContainers FlatContainers() const { return m_flatContainers; }
    void setFlatContainers(TFlatContainers containers);
    TFlatControls FlatControls() const { return m_flatControls; }
    void setFlatControls(TFlatControls controls);
    bool DisableSubclassing() const { return m_disableSubclassing; }
    void setDisableSubclassing(bool disable) { m_disableSubclassing = disable; }

    // Restyles `form` (the host or a form the manager hands this renderer) and
    // remembers it for restoring; a form restyled already is left as it is.
    void attachForm(QWidget* form);
    bool isRestyled(const QWidget* widget) const;
    // Whether `widget` is a menu or control this renderer restyles with its
    // present FlatControls, FlatContainers and the widget's and parent's Tags.
    bool wants(const QWidget* widget) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attachMenus(QWidget* form);
    void attachControls(QWidget* container);
    void attachWidget(QWidget* widget);
    void detachAll();
    template <typename Change> void reattach(Change change);
    void propertiesChanged(bool redrawMenuBar = false);
    void setColorProperty(TColor TZvFlatMenuProperties::*member, TColor color);
    void setFlagProperty(bool TZvFlatMenuProperties::*member, bool value);
    void updateAutoDetect();

    QPointer<QWidget> m_host;
    std::unique_ptr<TZvFlatMenuStyle> m_style;
    TZvFlatMenuProperties m_properties;
    ColorDepth m_depth = ColorDepth::High;
    bool m_active = false;
    bool m_overrideOwnerDraw = false;
    bool m_autoDetect = false;
    bool m_disableSubclassing = false;
    TFlatContainers m_flatContainers = allFlatContainers;
    TFlatControls m_flatControls = allFlatControls;
    std::vector<QPointer<QWidget>> m_forms;
    std::vector<std::unique_ptr<TZvFlatMenuSubClass>> m_restyled;
};
