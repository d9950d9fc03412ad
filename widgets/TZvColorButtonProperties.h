#pragma once

// The colour button's settings: the palette panel's set plus the button's own
// (lengths in pixels), with the same rules of comparing, raising to the
// minimum and announcing by name.

#include "widgets/TZvColorPanelProperties.h"

class TZvColorButtonProperties : public TZvColorPanelProperties
{
public:
    using TZvColorPanelProperties::TZvColorPanelProperties;

    // Inset of the colour swatch of a main part without glyph.
    int EdgeWidth() const { return m_edgeWidth; }
    void setEdgeWidth(int value) { storeNumber(m_edgeWidth, value, 0, TZvColorProperty::EdgeWidth); }
    // Width of the arrow part; the button's layout raises it to 13.
    int ArrowWidth() const { return m_arrowWidth; }
    void setArrowWidth(int value) { store(m_arrowWidth, value, TZvColorProperty::ArrowWidth); }
    bool ShowDragBar() const { return m_showDragBar; }
    void setShowDragBar(bool value) { store(m_showDragBar, value, TZvColorProperty::ShowDragBar); }
    // The palette window's caption when not empty.
    QString DragCaption() const { return m_dragCaption; }
    void setDragCaption(const QString& value) { store(m_dragCaption, value, TZvColorProperty::DragCaption); }
    QString DragBarHint() const { return m_dragBarHint; }
    void setDragBarHint(const QString& value) { store(m_dragBarHint, value, TZvColorProperty::DragBarHint); }
    int DragBarHeight() const { return m_dragBarHeight; }
    void setDragBarHeight(int value)
    {
        storeNumber(m_dragBarHeight, value, 7, TZvColorProperty::DragBarHeight);
    }
    int DragBarSpace() const { return m_dragBarSpace; }
    void setDragBarSpace(int value) { storeNumber(m_dragBarSpace, value, 3, TZvColorProperty::DragBarSpace); }

private:
    int m_edgeWidth = 4;
    int m_arrowWidth = 13;
    bool m_showDragBar = true;
    QString m_dragCaption;
    QString m_dragBarHint = QStringLiteral("Drag to floating");
    int m_dragBarHeight = 7;
    int m_dragBarSpace = 3;
};
