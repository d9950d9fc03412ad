#pragma once

// Which kind of menu, control or container a widget is, in the terms of the
// flat menu renderer's FlatControls and FlatContainers, and whether a widget
// is excluded from restyling (dynamic property "Tag" 999 on it or, for
// controls, on its parent).

#include "widgets/TZvFlatMenuProperties.h"

#include <optional>

class QWidget;

// Returns no kind for widgets that are parts of other controls or not styled at all.
std::optional<TFlatControl> FlatControlKind(const QWidget* widget);
std::optional<TFlatContainer> FlatContainerKind(const QWidget* widget);
bool HasExcludedTag(const QObject* object);
// A widget that draws itself its own way already: a style or a style sheet of its own
// (a style that only drops a list down below its box is no look of its own).
bool HasOwnLook(const QWidget* widget);
