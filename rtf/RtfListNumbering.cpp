#include "rtf/RtfListNumbering.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"

#include <QTextList>

#include <algorithm>
#include <utility>

namespace {

QString romanNumber(int value)
{
    static const std::pair<int, const char*> parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString result;
    value = std::clamp(value, 1, 3999);
    for (const auto& [amount, letters] : parts) {
        while (value >= amount) {
            result += QLatin1StringView(letters);
            value -= amount;
        }
    }
    return result;
}

QString letterNumber(int value)
{
    QString result;
    value = std::max(value, 1);
    while (value > 0) {
        --value;
        result.prepend(QChar(u'a' + value % 26));
        value /= 26;
    }
    return result;
}

} // namespace

namespace RtfListNumbering {

int numberingOf(const QTextBlockFormat& format, const QTextList* list)
{
    using TextFormatProperties::BlockNumbering;
    if (format.hasProperty(BlockNumbering) && format.intProperty(BlockNumbering) != 0)
        return format.intProperty(BlockNumbering);
    switch (list->format().style()) {
    case QTextListFormat::ListDecimal:
        return PFN_ARABIC;
    case QTextListFormat::ListLowerAlpha:
        return PFN_LCLETTER;
    case QTextListFormat::ListUpperAlpha:
        return PFN_UCLETTER;
    case QTextListFormat::ListLowerRoman:
        return PFN_LCROMAN;
    case QTextListFormat::ListUpperRoman:
        return PFN_UCROMAN;
    default:
        return PFN_BULLET;
    }
}

int levelFormatOf(int numbering)
{
    switch (numbering) {
    case PFN_ARABIC:
        return 0;
    case PFN_UCROMAN:
        return 1;
    case PFN_LCROMAN:
        return 2;
    case PFN_UCLETTER:
        return 3;
    case PFN_LCLETTER:
        return 4;
    default:
        return 23;
    }
}

const char* pnKeywordOf(int numbering)
{
    switch (numbering) {
    case PFN_UCROMAN:
        return "\\pnucrm";
    case PFN_LCROMAN:
        return "\\pnlcrm";
    case PFN_UCLETTER:
        return "\\pnucltr";
    case PFN_LCLETTER:
        return "\\pnlcltr";
    default:
        return "\\pndec";
    }
}

const char* afterText(int style)
{
    switch (style) {
    case PFNS_PLAIN:
        return "";
    case PFNS_PERIOD:
        return ".";
    default:
        return ")";
    }
}

QString numberText(int numbering, int value)
{
    switch (numbering) {
    case PFN_LCLETTER:
        return letterNumber(value);
    case PFN_UCLETTER:
        return letterNumber(value).toUpper();
    case PFN_LCROMAN:
        return romanNumber(value);
    case PFN_UCROMAN:
        return romanNumber(value).toUpper();
    default:
        return QString::number(value);
    }
}

QString labelText(int numbering, int style, int value)
{
    if (numbering == PFN_BULLET)
        return QStringLiteral("\u2022");
    const QString number = numberText(numbering, value) + QLatin1String(afterText(style));
    return style == PFNS_PARENS ? u'(' + number : number;
}

} // namespace RtfListNumbering
