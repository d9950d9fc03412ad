#pragma once

// The arrow part of the colour button: a small black triangle pointing down.
// It stays down while the palette is open; its hover frame follows the colour
// button as a whole.

#include "widgets/TZvColorSpeedButton.h"

class TZvColorArrowButton : public TZvColorSpeedButton
{
    Q_OBJECT
public:
    explicit TZvColorArrowButton(QWidget* parent);

protected:
    void paintContent(QPainter& painter) override;
};
