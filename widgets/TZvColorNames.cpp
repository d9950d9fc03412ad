#include "widgets/TZvColorNames.h"

#include <array>
#include <utility>

QString ColorToString(TColor color)
{
    static constexpr std::array<std::pair<TColor, const char*>, 18> names{{
        {clBlack, "clBlack"},
        {clMaroon, "clMaroon"},
        {clGreen, "clGreen"},
        {clOlive, "clOlive"},
        {clNavy, "clNavy"},
        {clPurple, "clPurple"},
        {clTeal, "clTeal"},
        {clGray, "clGray"},
        {clSilver, "clSilver"},
        {clRed, "clRed"},
        {clLime, "clLime"},
        {clYellow, "clYellow"},
        {clBlue, "clBlue"},
        {clFuchsia, "clFuchsia"},
        {clAqua, "clAqua"},
        {clWhite, "clWhite"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
    }};
    for (const auto& [value, name] : names) {
        if (value == color)
            return QString::fromLatin1(name);
    }
    return u'$' + QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}
