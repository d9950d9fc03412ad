#include "office/OfficeXml.h"

#include <algorithm>
#include <cmath>

namespace OfficeXml {

namespace {

// Twenty-two inches in twips, with room to spare: no length of a page is longer.
constexpr double MaxNumber = 100000;

} // namespace

QStringView attribute(const QXmlStreamReader& xml, QLatin1StringView localName)
{
    const QXmlStreamAttributes attributes = xml.attributes(); // a const copy: iterating it copies nothing
    for (const QXmlStreamAttribute& attribute : attributes)
        if (attribute.name() == localName)
            return attribute.value();
    return {};
}

std::optional<int> numberOf(QStringView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return int(std::lround(std::clamp(value, -MaxNumber, MaxNumber)));
}

QColor hexColor(QStringView value)
{
    bool ok = false;
    const uint rgb = value.toUInt(&ok, 16);
    if (value.size() != 6 || !ok)
        return {};
    return QColor::fromRgb(QRgb(rgb));
}

QString plainText(QString text)
{
    for (QChar& character : text) {
        switch (character.unicode()) {
        case u'\n':
        case u'\r':
        case QChar::ParagraphSeparator:
        case QChar::ObjectReplacementCharacter:
        case 0xFDD0: // Qt's marks of the start and end of a frame
        case 0xFDD1:
            character = u' ';
            break;
        default:
            break;
        }
    }
    return text;
}

} // namespace OfficeXml
