#include "widgets/TZvColorPanelLayout.h"

QSize TZvColorPanelLayout::panelSize() const
{
    const TZvColorPanelProperties& p = m_properties;
    const int width = 2 * p.HorizontalMargin() + Columns * p.ColorSize() + (Columns - 1) * p.ColorSpace();
    const int height = p.TopMargin() + p.BottomMargin() + p.ColorSpaceTop() + p.ColorSpaceBottom() +
                       Rows * p.ColorSize() + (Rows - 1) * p.ColorSpace() +
                       wideButtonCount() * p.ButtonHeight();
    return {width, height};
}

int TZvColorPanelLayout::wideButtonCount() const
{
    return int(m_properties.autoButtonShown()) + int(m_properties.otherButtonShown());
}

QRect TZvColorPanelLayout::wideButtonRect(int top) const
{
    const int margin = m_properties.HorizontalMargin();
    return {margin, top, panelSize().width() - 2 * margin, m_properties.ButtonHeight()};
}

QRect TZvColorPanelLayout::autoButtonRect() const
{
    if (!m_properties.autoButtonShown())
        return {};
    return wideButtonRect(m_properties.TopMargin());
}

QRect TZvColorPanelLayout::cellRect(int index) const
{
    const TZvColorPanelProperties& p = m_properties;
    // The grid hangs below the automatic button, or from the top when it is hidden.
    const QRect autoRect = autoButtonRect();
    const QPoint origin = autoRect.isEmpty() ? QPoint(p.HorizontalMargin(), 0)
                                             : QPoint(autoRect.left(), autoRect.top() + autoRect.height());
    const int step = p.ColorSpace() + p.ColorSize();
    return {origin.x() + (index % Columns) * step, origin.y() + p.ColorSpaceTop() + (index / Columns) * step,
            p.ColorSize(), p.ColorSize()};
}

QRect TZvColorPanelLayout::otherButtonRect() const
{
    if (!m_properties.otherButtonShown())
        return {};
    const QRect lastCell = cellRect(CellCount - 1);
    return wideButtonRect(lastCell.top() + m_properties.ColorSize() + m_properties.ColorSpaceBottom());
}
