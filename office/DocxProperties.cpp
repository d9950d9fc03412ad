#include "office/DocxProperties.h"

#include "format/LanguageTags.h"

#include "office/OfficeXml.h"

#include "office/XmlPartReader.h"

using namespace OfficeXml;

namespace {

template <typename T> void take(std::optional<T>& value, const std::optional<T>& later)
{
    if (later)
        value = later;
}

const QColor& highlightColor(QStringView name)
{
    static const QHash<QString, QColor> colors{
        {QStringLiteral("black"), QColor(0, 0, 0)},
        {QStringLiteral("blue"), QColor(0, 0, 255)},
        {QStringLiteral("cyan"), QColor(0, 255, 255)},
        {QStringLiteral("green"), QColor(0, 255, 0)},
        {QStringLiteral("magenta"), QColor(255, 0, 255)},
        {QStringLiteral("red"), QColor(255, 0, 0)},
        {QStringLiteral("yellow"), QColor(255, 255, 0)},
        {QStringLiteral("white"), QColor(255, 255, 255)},
        {QStringLiteral("darkBlue"), QColor(0, 0, 128)},
        {QStringLiteral("darkCyan"), QColor(0, 128, 128)},
        {QStringLiteral("darkGreen"), QColor(0, 128, 0)},
        {QStringLiteral("darkMagenta"), QColor(128, 0, 128)},
        {QStringLiteral("darkRed"), QColor(128, 0, 0)},
        {QStringLiteral("darkYellow"), QColor(128, 128, 0)},
        {QStringLiteral("darkGray"), QColor(128, 128, 128)},
        {QStringLiteral("lightGray"), QColor(192, 192, 192)},
    };
    static const QColor none;
    const auto found = colors.constFind(name.toString());
    return found == colors.cend() ? none : *found;
}

int alignmentOf(QStringView value)
{
    if (value == u"center")
        return PFA_CENTER;
    if (value == u"right" || value == u"end")
        return PFA_RIGHT;
    if (value == u"both" || value == u"distribute")
        return PFA_JUSTIFY;
    return PFA_LEFT;
}

} // namespace

size_t qHash(const DocxRunProperties& properties, size_t seed)
{
    // Unset values hash apart from every value that can be set.
    const auto state = [](const std::optional<bool>& value) { return value ? 1 + int(*value) : 0; };
    const auto rgba = [](const std::optional<QColor>& color) { return color ? color->rgba() + 1 : 0; };
    return qHashMulti(seed, state(properties.bold), state(properties.italic), state(properties.underline),
                      state(properties.strike), properties.position ? 1 + int(*properties.position) : 0,
                      properties.raise.value_or(INT_MIN), rgba(properties.color), rgba(properties.background),
                      properties.size.value_or(0), properties.font ? 1 + int(properties.font->theme) : 0,
                      properties.font ? properties.font->name : QString(), state(properties.hidden),
                      state(properties.noProof), properties.language.value_or(-1));
}

void DocxRunProperties::merge(const DocxRunProperties& later)
{
    take(bold, later.bold);
    take(italic, later.italic);
    take(underline, later.underline);
    take(strike, later.strike);
    take(position, later.position);
    take(raise, later.raise);
    take(color, later.color);
    take(background, later.background);
    take(size, later.size);
    take(font, later.font);
    take(hidden, later.hidden);
    take(noProof, later.noProof);
    take(language, later.language);
}

void DocxRunProperties::read(XmlPartReader& xml)
{
    // A highlight wins over a shading, whichever comes first.
    bool highlighted = false;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"b")
            bold = isOn(xml);
        else if (name == u"i")
            italic = isOn(xml);
        else if (name == u"strike" || name == u"dstrike")
            strike = isOn(xml);
        else if (name == u"u")
            underline = attribute(xml, QLatin1StringView("val")) != u"none";
        else if (name == u"vertAlign") {
            const QStringView value = attribute(xml, QLatin1StringView("val"));
            position = value == u"superscript" ? Superscript : value == u"subscript" ? Subscript : Baseline;
        } else if (name == u"position")
            raise = number(xml, QLatin1StringView("val"));
        else if (name == u"color")
            color = hexColor(attribute(xml, QLatin1StringView("val")));
        else if (name == u"highlight") {
            background = highlightColor(attribute(xml, QLatin1StringView("val")));
            highlighted = true;
        } else if (name == u"shd" && !highlighted)
            background = hexColor(attribute(xml, QLatin1StringView("fill")));
        else if (name == u"sz") {
            if (const auto value = number(xml, QLatin1StringView("val")); value && *value > 0)
                size = std::min(*value, 3276);
        } else if (name == u"rFonts") {
            QStringView face = attribute(xml, QLatin1StringView("ascii"));
            if (face.isEmpty())
                face = attribute(xml, QLatin1StringView("hAnsi"));
            const QStringView theme = attribute(xml, QLatin1StringView("asciiTheme"));
            if (theme.startsWith(u"major"))
                font = DocxFont{DocxFont::Major, {}};
            else if (theme.startsWith(u"minor"))
                font = DocxFont{DocxFont::Minor, {}};
            else if (!face.isEmpty())
                font = DocxFont{DocxFont::Named, face.toString()};
        } else if (name == u"vanish")
            hidden = isOn(xml);
        else if (name == u"noProof")
            noProof = isOn(xml);
        else if (name == u"lang") {
            if (const int id = LanguageTags::languageId(attribute(xml, QLatin1StringView("val"))))
                language = id;
        } else if (name == u"rStyle")
            style = attribute(xml, QLatin1StringView("val")).toString();
        xml.skipCurrentElement();
    }
}

void DocxParagraphProperties::merge(const DocxParagraphProperties& later)
{
    take(alignment, later.alignment);
    take(left, later.left);
    take(right, later.right);
    take(firstLine, later.firstLine);
    take(before, later.before);
    take(after, later.after);
    take(line, later.line);
    take(lineRule, later.lineRule);
    take(pageBreakBefore, later.pageBreakBefore);
    take(numberingId, later.numberingId);
    take(level, later.level);
    take(tabs, later.tabs);
}

void DocxParagraphProperties::read(XmlPartReader& xml)
{
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"jc") {
            alignment = alignmentOf(attribute(xml, QLatin1StringView("val")));
        } else if (name == u"ind") {
            for (const char* side : {"left", "start"})
                if (const auto value = number(xml, QLatin1StringView(side)))
                    left = value;
            for (const char* side : {"right", "end"})
                if (const auto value = number(xml, QLatin1StringView(side)))
                    right = value;
            if (const auto value = number(xml, QLatin1StringView("firstLine")))
                firstLine = value;
            if (const auto value = number(xml, QLatin1StringView("hanging")))
                firstLine = -*value;
        } else if (name == u"spacing") {
            take(before, number(xml, QLatin1StringView("before")));
            take(after, number(xml, QLatin1StringView("after")));
            if (const auto value = number(xml, QLatin1StringView("line"))) {
                line = value;
                const QStringView rule = attribute(xml, QLatin1StringView("lineRule"));
                lineRule = rule == u"exact" ? Exactly : rule == u"atLeast" ? AtLeast : Auto;
            }
        } else if (name == u"pageBreakBefore") {
            pageBreakBefore = isOn(xml);
        } else if (name == u"numPr") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"numId")
                    numberingId = number(xml, QLatin1StringView("val"));
                else if (xml.name() == u"ilvl")
                    level = number(xml, QLatin1StringView("val"));
                xml.skipCurrentElement();
            }
            continue;
        } else if (name == u"tabs") {
            QList<int> stops;
            while (xml.readNextStartElement()) {
                const auto position = number(xml, QLatin1StringView("pos"));
                if (position && attribute(xml, QLatin1StringView("val")) != u"clear")
                    stops.append(*position);
                xml.skipCurrentElement();
            }
            tabs = stops;
            continue;
        } else if (name == u"pStyle") {
            style = attribute(xml, QLatin1StringView("val")).toString();
        } else if (name == u"rPr") {
            markRun.read(xml);
            continue;
        }
        xml.skipCurrentElement();
    }
}

ParagraphValues DocxParagraphProperties::values() const
{
    ParagraphValues values;
    values.alignment = alignment.value_or(PFA_LEFT);
    values.leftIndent = left.value_or(0);
    values.rightIndent = right.value_or(0);
    values.firstIndent = firstLine.value_or(0);
    values.spaceBefore = before.value_or(0);
    values.spaceAfter = after.value_or(0);
    if (line) {
        switch (lineRule.value_or(Auto)) {
        case Auto:
            values.lineSpacing = *line;
            values.lineMultiple = true;
            break;
        case Exactly:
            values.lineSpacing = -std::abs(*line);
            break;
        case AtLeast:
            values.lineSpacing = std::abs(*line);
            break;
        }
    }
    values.pageBreakBefore = pageBreakBefore.value_or(false);
    values.tabs = tabs.value_or(QList<int>());
    return values;
}
