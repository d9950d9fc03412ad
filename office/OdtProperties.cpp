#include "office/OdtProperties.h"

#include "format/LanguageTags.h"
#include "format/TextFormatProperties.h"
#include "office/OfficeXml.h"

#include "office/XmlPartReader.h"

#include <algorithm>
#include <cmath>

using namespace OfficeXml;
using namespace TextFormatProperties;

namespace {

// Longer than any page, with room to spare, as OfficeXml's numbers.
constexpr double MaxTwips = 100000;
constexpr int MaxSizeTwips = 32760; // 1638 points, the largest size the editor keeps

std::optional<double> percent(QStringView value)
{
    if (!value.endsWith(u'%'))
        return std::nullopt;
    bool ok = false;
    const double number = value.chopped(1).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return std::clamp(number, -10000.0, 10000.0);
}

QColor colorOf(QStringView value)
{
    return value.startsWith(u'#') ? hexColor(value.mid(1)) : QColor();
}

int alignmentOf(QStringView value)
{
    if (value == u"center")
        return PFA_CENTER;
    if (value == u"end" || value == u"right")
        return PFA_RIGHT;
    if (value == u"justify")
        return PFA_JUSTIFY;
    return PFA_LEFT;
}

// Underline and strike-out are off when their style or type says none.
std::optional<bool> lineOf(const XmlPartReader& xml, QLatin1StringView style, QLatin1StringView type)
{
    const QStringView styleValue = attribute(xml, style);
    const QStringView typeValue = attribute(xml, type);
    if (styleValue.isNull() && typeValue.isNull())
        return std::nullopt;
    return styleValue != u"none" && typeValue != u"none";
}

} // namespace

namespace OdtLength {

std::optional<int> twips(QStringView value)
{
    value = value.trimmed();
    qsizetype unit = value.size();
    while (unit > 0 && value.at(unit - 1).isLetter())
        --unit;
    bool ok = false;
    const double number = value.first(unit).toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    const QStringView name = value.sliced(unit);
    double perUnit = 0;
    if (name == u"cm")
        perUnit = TwipsPerInch / 2.54;
    else if (name == u"mm")
        perUnit = TwipsPerInch / 25.4;
    else if (name == u"in" || name == u"inch")
        perUnit = TwipsPerInch;
    else if (name == u"pt")
        perUnit = TwipsPerPoint;
    else if (name == u"pc")
        perUnit = 12 * TwipsPerPoint;
    else if (name == u"px")
        perUnit = TwipsPerPixel;
    else
        return std::nullopt;
    return int(std::lround(std::clamp(number * perUnit, -MaxTwips, MaxTwips)));
}

} // namespace OdtLength

void OdtTextProperties::read(const XmlPartReader& xml)
{
    const auto has = [&](const char* name) { return !attribute(xml, QLatin1StringView(name)).isNull(); };
    const auto value = [&](const char* name) { return attribute(xml, QLatin1StringView(name)); };
    if (has("font-weight")) {
        const QStringView weight = value("font-weight");
        format.setFontWeight(weight == u"bold" || weight.toInt() >= 600 ? QFont::Bold : QFont::Normal);
    }
    if (has("font-style"))
        format.setFontItalic(value("font-style") != u"normal");
    if (const auto on =
            lineOf(xml, QLatin1StringView("text-underline-style"), QLatin1StringView("text-underline-type")))
        format.setFontUnderline(*on);
    if (const auto on = lineOf(xml, QLatin1StringView("text-line-through-style"),
                               QLatin1StringView("text-line-through-type")))
        format.setFontStrikeOut(*on);
    if (has("text-position")) {
        // "super", "sub" or a raise in percent of the font height, then the size it is shown in.
        const QStringView raise = value("text-position").trimmed().split(u' ').first();
        const double offset = raise == u"super" ? 1 : raise == u"sub" ? -1 : percent(raise).value_or(0);
        format.setVerticalAlignment(offset > 0   ? QTextCharFormat::AlignSuperScript
                                    : offset < 0 ? QTextCharFormat::AlignSubScript
                                                 : QTextCharFormat::AlignNormal);
    }
    if (value("use-window-font-color") == u"true")
        setCharTextColor(format, QColor());
    else if (has("color"))
        setCharTextColor(format, colorOf(value("color")));
    if (has("background-color"))
        setCharBackColor(format, colorOf(value("background-color")));
    if (has("font-size")) {
        sizePercent = percent(value("font-size"));
        if (const auto size = OdtLength::twips(value("font-size")); size && *size > 0)
            setCharSize(format, std::min(*size, MaxSizeTwips));
    }
    if (has("display"))
        hidden = value("display") == u"none";
    if (has("language")) {
        // "zxx" with the country "none" is text in no language.
        const QStringView country = value("country");
        QString tag = value("language").toString();
        if (!country.isEmpty() && country != u"none")
            tag += u'-' + country.toString();
        if (const int id = LanguageTags::languageId(tag))
            language = id;
    }
    if (has("font-name"))
        fontFace = value("font-name").toString();
    else if (has("font-family"))
        format.setFontFamilies({value("font-family").toString().remove(u'\'').remove(u'"')});
}

void OdtTextProperties::applyTo(QTextCharFormat& into, const QHash<QString, QString>& fontFamilies) const
{
    into.merge(format);
    if (sizePercent && *sizePercent > 0) {
        const int under = charSize(into) > 0 ? charSize(into) : 240;
        setCharSize(into, std::clamp(int(std::lround(under * *sizePercent / 100)), 1, MaxSizeTwips));
    }
    if (!fontFace.isEmpty())
        into.setFontFamilies({fontFamilies.value(fontFace, fontFace)});
    if (hidden)
        setCharHidden(into, *hidden);
    if (language)
        setCharLanguage(into, *language);
}

void OdtParagraphProperties::merge(const OdtParagraphProperties& later)
{
    values.merge(later.values);
    if (later.pageBreakAfter)
        pageBreakAfter = later.pageBreakAfter;
}

void OdtParagraphProperties::read(XmlPartReader& xml)
{
    const auto value = [&](const char* name) { return attribute(xml, QLatin1StringView(name)); };
    const auto length = [&](const char* name) { return OdtLength::twips(value(name)); };
    if (!value("text-align").isNull())
        values.alignment = alignmentOf(value("text-align"));
    // The shorthand margin first, the sides it names after.
    if (const auto margin = length("margin")) {
        values.left = values.right = values.before = values.after = margin;
    }
    for (auto [name, member] : {std::pair{"margin-left", &DocxParagraphProperties::left},
                                {"margin-right", &DocxParagraphProperties::right},
                                {"margin-top", &DocxParagraphProperties::before},
                                {"margin-bottom", &DocxParagraphProperties::after},
                                {"text-indent", &DocxParagraphProperties::firstLine}})
        if (const auto twips = length(name))
            values.*member = twips;
    if (const QStringView height = value("line-height"); !height.isNull()) {
        if (height == u"normal") {
            values.line = 240;
            values.lineRule = DocxParagraphProperties::Auto;
        } else if (const auto lines = percent(height)) {
            values.line = int(std::lround(*lines * 2.4));
            values.lineRule = DocxParagraphProperties::Auto;
        } else if (const auto twips = OdtLength::twips(height)) {
            values.line = *twips;
            values.lineRule = DocxParagraphProperties::Exactly;
        }
    } else if (const auto twips = length("line-height-at-least")) {
        values.line = *twips;
        values.lineRule = DocxParagraphProperties::AtLeast;
    }
    if (!value("break-before").isNull())
        values.pageBreakBefore = value("break-before") == u"page";
    if (!value("break-after").isNull())
        pageBreakAfter = value("break-after") == u"page";
    while (xml.readNextStartElement()) {
        if (xml.name() != u"tab-stops") {
            xml.skipCurrentElement();
            continue;
        }
        QList<int> stops;
        while (xml.readNextStartElement()) {
            if (const auto position = length("position"))
                stops.append(*position);
            xml.skipCurrentElement();
        }
        values.tabs = stops;
    }
}
