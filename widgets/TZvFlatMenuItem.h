#pragma once

// One menu item as the flat menu renderer measures and draws it: what it
// shows and the state it is in.

#include <QImage>
#include <QString>

enum class MenuItemPlace { BelowBar, OnBar };
enum class MenuItemCheck { None, Check, Radio };

struct TZvFlatMenuItem
{
    QString caption;  // "&" marks the underlined letter; "-" alone is a separator
    QString shortcut; // empty when the item has none
    QImage image;     // null when the item has none
    MenuItemPlace place = MenuItemPlace::BelowBar;
    MenuItemCheck check = MenuItemCheck::None;
    bool checked = false;
    bool enabled = true;
    bool selected = false;
    bool hovered = false; // the pointer is over a menu-bar item that is not open
    bool defaultItem = false;
    bool hasSubMenu = false;
    Qt::LayoutDirection direction = Qt::LeftToRight;

    bool isSeparator() const { return caption == QStringLiteral("-"); }
};
