#pragma once

// A button of the palette panel: one of the 40 colour cells, or one of the two
// wide buttons with a caption (automatic colour, other colours). Its tooltip
// is its hint while hints are shown.

#include "widgets/TZvColorSpeedButton.h"

class TZvColorPaletteButton : public TZvColorSpeedButton
{
    Q_OBJECT
public:
    enum class Kind { Cell, Automatic, Other };

    TZvColorPaletteButton(Kind kind, QWidget* parent);

    Kind kind() const { return m_kind; }

    QString hint() const { return m_hint; }
    void setHint(const QString& hint);
    void setShowHint(bool show);

Q_SIGNALS:
    // The right button was released over the button.
    void rightClicked();

protected:
    void paintContent(QPainter& painter) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyToolTip();

    Kind m_kind;
    QString m_hint;
    bool m_showHint = true;
};
