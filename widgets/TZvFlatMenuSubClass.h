#pragma once

// One menu or control restyled by the flat menu renderer: it sets the flat
// style on the widget and lets the widget repaint on hover, and gives the
// widget back its previous style and hover setting when it is destroyed.
// A widget destroyed first is simply forgotten.

#include <QPointer>
#include <QStyle>
#include <QWidget>

class TZvFlatMenuSubClass
{
public:
    TZvFlatMenuSubClass(QWidget* widget, QStyle* flatStyle);
    ~TZvFlatMenuSubClass();
    TZvFlatMenuSubClass(const TZvFlatMenuSubClass&) = delete;
    TZvFlatMenuSubClass& operator=(const TZvFlatMenuSubClass&) = delete;

    QWidget* widget() const { return m_widget; }

private:
    QPointer<QWidget> m_widget;
    QPointer<QStyle> m_previousStyle; // null: the application's style
    bool m_hadHover = false;
};
