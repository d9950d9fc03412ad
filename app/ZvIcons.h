#pragma once

// Images of buttons and menu items: the freedesktop icon of the current theme
// (breeze when the desktop names none), or, where the theme has no usable
// picture, a small glyph drawn here so that no button is ever blank.

#include <QColor>
#include <QIcon>
#include <QString>

// `glyph` is one to three characters drawn in `color` on a light rounded tile.
QIcon ZvIcon(const QString& themeName, const QString& glyph, const QColor& color = QColor(40, 60, 120));
QIcon ZvDrawnIcon(const QString& glyph, const QColor& color);
// Makes breeze the icon theme when the desktop names none that can be drawn.
void ZvEnsureIconTheme();
