#pragma once

// The application's style for the font name combo box, except that its list
// drops down below the box, a few rows high with a scroll bar, as a drop-down
// list does, instead of opening over the box around the current entry. The
// flat menu renderer's look drops lists down the same way, so the renderer
// gives the box its flat look over this style.

#include <QProxyStyle>

class FontDropDownStyle : public QProxyStyle
{
    Q_OBJECT

public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
