#pragma once

// The settings of the colour palette panel (lengths in pixels). Every setter
// ignores a value equal to the current one; otherwise it stores the value and
// announces the change by the property's name. Numeric values below their
// initial value are raised to it (the initial values are the minimums).
// RightClickSelect and SelectIfPopup store and announce every write.

#include "platform/SysColor.h"
#include "widgets/TZvColorProperty.h"

#include <QString>

#include <functional>

class TZvColorPanelProperties
{
public:
    using Announce = std::function<void(TZvColorProperty)>;

    explicit TZvColorPanelProperties(Announce announce = {}) : m_announce(std::move(announce)) {}
    TZvColorPanelProperties(const TZvColorPanelProperties&) = delete;
    TZvColorPanelProperties& operator=(const TZvColorPanelProperties&) = delete;
    virtual ~TZvColorPanelProperties() = default;

    // Copies the other set's values, quietly; whom this set announces to stays.
    void assignValues(const TZvColorPanelProperties& other) { m_values = other.m_values; }

    bool ShowAutoButton() const { return m_values.showAutoButton; }
    void setShowAutoButton(bool value)
    {
        store(m_values.showAutoButton, value, TZvColorProperty::ShowAutoButton);
    }
    bool ShowOtherButton() const { return m_values.showOtherButton; }
    void setShowOtherButton(bool value)
    {
        store(m_values.showOtherButton, value, TZvColorProperty::ShowOtherButton);
    }
    bool ShowColorHint() const { return m_values.showColorHint; }
    void setShowColorHint(bool value)
    {
        store(m_values.showColorHint, value, TZvColorProperty::ShowColorHint);
    }

    int TopMargin() const { return m_values.topMargin; }
    void setTopMargin(int value) { storeNumber(m_values.topMargin, value, 2, TZvColorProperty::TopMargin); }
    int BottomMargin() const { return m_values.bottomMargin; }
    void setBottomMargin(int value)
    {
        storeNumber(m_values.bottomMargin, value, 4, TZvColorProperty::BottomMargin);
    }
    int HorizontalMargin() const { return m_values.horizontalMargin; }
    void setHorizontalMargin(int value)
    {
        storeNumber(m_values.horizontalMargin, value, 7, TZvColorProperty::HorizontalMargin);
    }
    int ColorSpace() const { return m_values.colorSpace; }
    void setColorSpace(int value)
    {
        storeNumber(m_values.colorSpace, value, 0, TZvColorProperty::ColorSpace);
    }
    int ColorSpaceTop() const { return m_values.colorSpaceTop; }
    void setColorSpaceTop(int value)
    {
        storeNumber(m_values.colorSpaceTop, value, 4, TZvColorProperty::ColorSpaceTop);
    }
    int ColorSpaceBottom() const { return m_values.colorSpaceBottom; }
    void setColorSpaceBottom(int value)
    {
        storeNumber(m_values.colorSpaceBottom, value, 4, TZvColorProperty::ColorSpaceBottom);
    }
    int ColorSize() const { return m_values.colorSize; }
    void setColorSize(int value) { storeNumber(m_values.colorSize, value, 18, TZvColorProperty::ColorSize); }
    int ButtonHeight() const { return m_values.buttonHeight; }
    void setButtonHeight(int value)
    {
        storeNumber(m_values.buttonHeight, value, 22, TZvColorProperty::ButtonHeight);
    }

    // An empty caption hides its button.
    QString AutoCaption() const { return m_values.autoCaption; }
    void setAutoCaption(const QString& value)
    {
        store(m_values.autoCaption, value, TZvColorProperty::AutoCaption);
    }
    QString OtherCaption() const { return m_values.otherCaption; }
    void setOtherCaption(const QString& value)
    {
        store(m_values.otherCaption, value, TZvColorProperty::OtherCaption);
    }
    // Tooltips of the two wide buttons; empty leaves them the name of their colour.
    QString AutoHint() const { return m_values.autoHint; }
    void setAutoHint(const QString& value) { store(m_values.autoHint, value, TZvColorProperty::AutoHint); }
    QString OtherHint() const { return m_values.otherHint; }
    void setOtherHint(const QString& value) { store(m_values.otherHint, value, TZvColorProperty::OtherHint); }

    // A right-button release over a cell picks it; with SelectIfPopup also
    // where the panel or a parent has a pop-up menu.
    bool RightClickSelect() const { return m_values.rightClickSelect; }
    void setRightClickSelect(bool value);
    bool SelectIfPopup() const { return m_values.selectIfPopup; }
    void setSelectIfPopup(bool value);

    // The colour the automatic button stands for.
    TColor AutoColor() const { return m_values.autoColor; }
    void setAutoColor(TColor value) { store(m_values.autoColor, value, TZvColorProperty::AutoColor); }

    // The numbers of wide buttons shown (0 to 2).
    bool autoButtonShown() const { return ShowAutoButton() && !AutoCaption().isEmpty(); }
    bool otherButtonShown() const { return ShowOtherButton() && !OtherCaption().isEmpty(); }

protected:
    template <typename T> void store(T& field, const T& value, TZvColorProperty name)
    {
        if (field == value)
            return;
        field = value;
        announce(name);
    }
    void storeNumber(int& field, int value, int minimum, TZvColorProperty name);
    void announce(TZvColorProperty name) const;

private:
    struct Values
    {
        bool showAutoButton = true;
        bool showOtherButton = true;
        bool showColorHint = true;
        int topMargin = 2;
        int bottomMargin = 4;
        int horizontalMargin = 7;
        int colorSpace = 0;
        int colorSpaceTop = 4;
        int colorSpaceBottom = 4;
        int colorSize = 18;
        int buttonHeight = 22;
        QString autoCaption = QStringLiteral("Automatic");
        QString otherCaption = QStringLiteral("Other Colors...");
        QString autoHint;
        QString otherHint;
        bool rightClickSelect = false;
        bool selectIfPopup = false;
        TColor autoColor = clDefault;
    };

    Values m_values;
    Announce m_announce;
};
