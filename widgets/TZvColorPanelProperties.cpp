#include "widgets/TZvColorPanelProperties.h"

#include <algorithm>

void TZvColorPanelProperties::setRightClickSelect(bool value)
{
    m_values.rightClickSelect = value;
    announce(TZvColorProperty::RightClickSelect);
}

void TZvColorPanelProperties::setSelectIfPopup(bool value)
{
    m_values.selectIfPopup = value;
    announce(TZvColorProperty::SelectIfPopup);
}

void TZvColorPanelProperties::storeNumber(int& field, int value, int minimum, TZvColorProperty name)
{
    if (field == value)
        return;
    field = std::max(value, minimum);
    announce(name);
}

void TZvColorPanelProperties::announce(TZvColorProperty name) const
{
    if (m_announce)
        m_announce(name);
}
