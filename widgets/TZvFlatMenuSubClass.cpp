#include "widgets/TZvFlatMenuSubClass.h"

TZvFlatMenuSubClass::TZvFlatMenuSubClass(QWidget* widget, QStyle* flatStyle)
    : m_widget(widget), m_previousStyle(widget->testAttribute(Qt::WA_SetStyle) ? widget->style() : nullptr),
      m_hadHover(widget->testAttribute(Qt::WA_Hover))
{
    widget->setAttribute(Qt::WA_Hover);
    widget->setStyle(flatStyle);
    widget->update();
}

TZvFlatMenuSubClass::~TZvFlatMenuSubClass()
{
    if (!m_widget)
        return;
    m_widget->setStyle(m_previousStyle);
    m_widget->setAttribute(Qt::WA_Hover, m_hadHover);
    m_widget->update();
}
