#include "widgets/TIntSpinEdit.h"

TIntSpinEdit::TIntSpinEdit(Desktop& desktop, QWidget* parent) : TFloatSpinEdit(desktop, parent)
{
}

bool TIntSpinEdit::AcceptsKey(QChar key) const
{
    if (key == numberLocale().decimalPoint().at(0))
        return false;
    return TFloatSpinEdit::AcceptsKey(key);
}

std::optional<double> TIntSpinEdit::numberOf(const QString& text) const
{
    bool ok = false;
    const int number = numberLocale().toInt(text, &ok);
    if (!ok)
        return std::nullopt;
    return number;
}
