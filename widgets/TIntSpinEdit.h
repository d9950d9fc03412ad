#pragma once

// A spin field for a whole number: the fractional spin edit stepping by whole
// increments, taking no decimal separator, and reading a text that is no whole
// number as MinValue. Like its base it keeps the number only in its text, so
// what the user typed is what it reads, even out of bounds until it loses the focus.

#include "widgets/TFloatSpinEdit.h"

class TIntSpinEdit : public TFloatSpinEdit
{
    Q_OBJECT
public:
    explicit TIntSpinEdit(Desktop& desktop, QWidget* parent = nullptr);

    // The whole number shown (Value, which never has a fraction here).
    int value() const { return int(Value()); }

    bool AcceptsKey(QChar key) const override;

protected:
    std::optional<double> numberOf(const QString& text) const override;
};
