#include "office/OfficeXml.h"

#include <algorithm>
#include <cmath>

namespace OfficeXml {

namespace {

// Twenty-two inches in twips, with room to spare: no length of a page is longer.
constexpr double MaxNumber = 100000;

} // namespace

bool enterRoot(XmlPartReader& xml)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            xml.raiseError(QStringLiteral("The part declares a document type"));
            return false;
        case QXmlStreamReader::StartElement:
            return true;
        default:
            break;
        }
    }
    if (!xml.hasError())
        xml.raiseError(QStringLiteral("The part has no root element"));
    return false;
}

bool isOn(const XmlPartReader& xml)
{
    const QStringView value = attribute(xml, QLatin1StringView("val"));
    return !(value == u"0" || value == u"false" || value == u"off");
}

bool isOnAttribute(const XmlPartReader& xml, QLatin1StringView localName)
{
    const QStringView value = attribute(xml, localName);
    return value == u"1" || value == u"true" || value == u"on";
}

std::optional<int> number(const XmlPartReader& xml, QLatin1StringView localName)
{
    const QStringView text = attribute(xml, localName);
    // Whole numbers are the rule, and far quicker to read than a double.
    bool ok = false;
    if (const int whole = text.toInt(&ok); ok)
        return std::clamp(whole, -int(MaxNumber), int(MaxNumber));
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
