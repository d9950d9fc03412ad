#include "office/OdtStylesWriter.h"

#include "format/FormatValues.h"
#include "format/LanguageTags.h"
#include "format/TextFormatProperties.h"
#include "office/OfficeLists.h"
#include "rtf/ListLabels.h"

#include <QTextBlock>
#include <QXmlStreamWriter>

#include <algorithm>
#include <numeric>
#include <optional>

using namespace TextFormatProperties;

namespace {

QString numberFormat(int numbering)
{
    switch (numbering) {
    case PFN_LCLETTER:
        return QStringLiteral("a");
    case PFN_UCLETTER:
        return QStringLiteral("A");
    case PFN_LCROMAN:
        return QStringLiteral("i");
    case PFN_UCROMAN:
        return QStringLiteral("I");
    case 0:
        return QString();
    default:
        return QStringLiteral("1");
    }
}

QString alignmentName(int alignment)
{
    switch (alignment) {
    case PFA_RIGHT:
        return QStringLiteral("end");
    case PFA_CENTER:
        return QStringLiteral("center");
    case PFA_JUSTIFY:
        return QStringLiteral("justify");
    default:
        return QStringLiteral("start");
    }
}

// The attribute of a line spacing; nothing for single spacing.
std::optional<std::pair<QString, QString>> lineHeight(const QTextBlockFormat& format)
{
    const int value = blockLineSpacing(format);
    switch (blockLineSpacingRule(format)) {
    case LineSpacingSingle:
        return std::nullopt;
    case LineSpacingOneAndHalf:
        return std::pair{QStringLiteral("fo:line-height"), QStringLiteral("150%")};
    case LineSpacingDouble:
        return std::pair{QStringLiteral("fo:line-height"), QStringLiteral("200%")};
    case LineSpacingAtLeast:
        return std::pair{QStringLiteral("style:line-height-at-least"), OdtStylesWriter::points(value)};
    case LineSpacingExactly:
        return std::pair{QStringLiteral("fo:line-height"), OdtStylesWriter::points(value)};
    case LineSpacingMultiple:
        return std::pair{QStringLiteral("fo:line-height"), QString::number(value * 5) + u'%'};
    }
    return std::nullopt;
}

// A numbered level's label as ODF gives it: what stands before and after the numbers, and how
// many levels' numbers it shows (those up to its own, joined by full stops).
void writeNumberLabel(QXmlStreamWriter& xml, const OfficeLists::Level& level, int index)
{
    const QString label = OfficeLists::labelTemplate(level, index);
    const auto isNumber = [](QChar c) { return c.unicode() < OfficeLists::LevelCount; };
    const auto first = std::find_if(label.cbegin(), label.cend(), isNumber);
    const auto last = std::find_if(label.crbegin(), label.crend(), isNumber);
    if (first == label.cend()) {
        xml.writeAttribute(QStringLiteral("style:num-suffix"), label);
        xml.writeAttribute(QStringLiteral("style:num-format"), QString());
        return;
    }
    xml.writeAttribute(QStringLiteral("style:num-prefix"), QString(label.cbegin(), first - label.cbegin()));
    xml.writeAttribute(QStringLiteral("style:num-suffix"), QString(last.base(), label.cend() - last.base()));
    xml.writeAttribute(QStringLiteral("style:num-format"), numberFormat(level.numbering));
    xml.writeAttribute(QStringLiteral("text:start-value"), QString::number(level.start));
    const int shown = index - first->unicode() + 1;
    if (shown > 1)
        xml.writeAttribute(QStringLiteral("text:display-levels"), QString::number(shown));
}

void writeListLevel(QXmlStreamWriter& xml, const OfficeLists::Level& level, int index)
{
    const bool bullet = level.numbering == PFN_BULLET;
    xml.writeStartElement(bullet ? QStringLiteral("text:list-level-style-bullet")
                                 : QStringLiteral("text:list-level-style-number"));
    xml.writeAttribute(QStringLiteral("text:level"), QString::number(index + 1));
    if (bullet)
        xml.writeAttribute(QStringLiteral("text:bullet-char"), ListLabels::bulletOf(index));
    else
        writeNumberLabel(xml, level, index);
    xml.writeStartElement(QStringLiteral("style:list-level-properties"));
    xml.writeAttribute(QStringLiteral("text:list-level-position-and-space-mode"),
                       QStringLiteral("label-alignment"));
    xml.writeEmptyElement(QStringLiteral("style:list-level-label-alignment"));
    xml.writeAttribute(QStringLiteral("text:label-followed-by"), QStringLiteral("listtab"));
    xml.writeAttribute(QStringLiteral("text:list-tab-stop-position"),
                       OdtStylesWriter::points(level.leftIndent));
    xml.writeAttribute(QStringLiteral("fo:text-indent"), OdtStylesWriter::points(level.firstIndent));
    xml.writeAttribute(QStringLiteral("fo:margin-left"), OdtStylesWriter::points(level.leftIndent));
    xml.writeEndElement();
    xml.writeEndElement();
}

void writeElement(QXmlStreamWriter& xml, const OdtStylesWriter::Element& element)
{
    xml.writeStartElement(element.name);
    for (const auto& [name, value] : element.attributes)
        xml.writeAttribute(name, value);
    for (const OdtStylesWriter::Element& child : element.children)
        writeElement(xml, child);
    xml.writeEndElement();
}

} // namespace

QString OdtStylesWriter::points(int twips)
{
    return QString::number(twips / 20.0, 'g', 10) + QStringLiteral("pt");
}

QString OdtStylesWriter::addStyle(const QString& family, const QString& prefix, const QList<Element>& content)
{
    QByteArray key = family.toUtf8() + '\n';
    {
        QXmlStreamWriter xml(&key);
        for (const Element& element : content)
            writeElement(xml, element);
    }
    if (const auto known = m_styleOf.constFind(key); known != m_styleOf.cend())
        return m_styles.at(*known).name;
    const QString name = prefix + QString::number(++m_countOf[prefix]);
    m_styleOf.insert(key, int(m_styles.size()));
    m_styles.append({name, family, content});
    return name;
}

OdtStylesWriter::Element OdtStylesWriter::textProperties(const QTextCharFormat& format, bool sizeAndFontOnly)
{
    Element properties{QStringLiteral("style:text-properties"), {}, {}};
    if (const QStringList families = format.fontFamilies().toStringList();
        !families.isEmpty() && families.first() != m_defaults.family()) {
        m_fonts.insert(families.first());
        for (const char* script : {"style:font-name", "style:font-name-asian", "style:font-name-complex"})
            properties.add(QLatin1String(script), families.first());
    }
    if (const int size = charSize(format); size > 0 && size != std::lround(m_defaults.pointSizeF() * 20)) {
        for (const char* script : {"fo:font-size", "style:font-size-asian", "style:font-size-complex"})
            properties.add(QLatin1String(script), points(size));
    }
    if (sizeAndFontOnly)
        return properties;
    if (format.fontWeight() >= QFont::DemiBold) {
        for (const char* script : {"fo:font-weight", "style:font-weight-asian", "style:font-weight-complex"})
            properties.add(QLatin1String(script), QStringLiteral("bold"));
    }
    if (format.fontItalic()) {
        for (const char* script : {"fo:font-style", "style:font-style-asian", "style:font-style-complex"})
            properties.add(QLatin1String(script), QStringLiteral("italic"));
    }
    if (format.fontUnderline()) {
        properties.add(QStringLiteral("style:text-underline-style"), QStringLiteral("solid"));
        properties.add(QStringLiteral("style:text-underline-width"), QStringLiteral("auto"));
        properties.add(QStringLiteral("style:text-underline-color"), QStringLiteral("font-color"));
    }
    if (format.fontStrikeOut())
        properties.add(QStringLiteral("style:text-line-through-style"), QStringLiteral("solid"));
    if (!charAutoColor(format))
        properties.add(QStringLiteral("fo:color"), format.foreground().color().name());
    if (!charAutoBackColor(format))
        properties.add(QStringLiteral("fo:background-color"), format.background().color().name());
    const int size = charSize(format) > 0 ? charSize(format) : 240;
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        properties.add(QStringLiteral("style:text-position"), QStringLiteral("super 58%"));
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        properties.add(QStringLiteral("style:text-position"), QStringLiteral("sub 58%"));
    else if (const int offset = charOffset(format); offset != 0)
        properties.add(QStringLiteral("style:text-position"),
                       QStringLiteral("%1% 100%").arg(std::lround(100.0 * offset / size)));
    if (charHidden(format))
        properties.add(QStringLiteral("text:display"), QStringLiteral("none"));
    if (const QString tag = LanguageTags::tag(charLanguage(format)); !tag.isEmpty()) {
        const QStringList parts = tag.split(u'-');
        properties.add(QStringLiteral("fo:language"), parts.first());
        properties.add(QStringLiteral("fo:country"), parts.value(1, QStringLiteral("none")));
    }
    return properties;
}

QString OdtStylesWriter::textStyle(const QTextCharFormat& format)
{
    const Element properties = textProperties(format, false);
    return properties.attributes.isEmpty()
               ? QString()
               : addStyle(QStringLiteral("text"), QStringLiteral("T"), {properties});
}

QString OdtStylesWriter::paragraphStyle(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    Element properties{QStringLiteral("style:paragraph-properties"), {}, {}};
    const int start = blockStartIndent(format);
    const int offset = blockOffset(format);
    properties.add(QStringLiteral("fo:margin-left"), points(start + offset));
    properties.add(QStringLiteral("fo:margin-right"), points(blockRightIndent(format)));
    properties.add(QStringLiteral("fo:text-indent"), points(-offset));
    properties.add(QStringLiteral("fo:margin-top"), points(blockSpaceBefore(format)));
    properties.add(QStringLiteral("fo:margin-bottom"), points(blockSpaceAfter(format)));
    if (const auto height = lineHeight(format))
        properties.add(height->first, height->second);
    properties.add(QStringLiteral("fo:text-align"), alignmentName(blockAlignment(format)));
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        properties.add(QStringLiteral("fo:break-before"), QStringLiteral("page"));
    // Tab stops count from the paragraph's left indent in OpenDocument, from the margin in
    // the model.
    if (const QList<QTextOption::Tab> tabs = format.tabPositions(); !tabs.isEmpty()) {
        Element stops{QStringLiteral("style:tab-stops"), {}, {}};
        for (const QTextOption::Tab& tab : tabs)
            stops.children.append({QStringLiteral("style:tab-stop"),
                                   {{QStringLiteral("style:position"),
                                     points(std::max(0, pixelsToTwips(tab.position) - start - offset))}},
                                   {}});
        properties.children.append(stops);
    }
    // The mark's font and size: an empty paragraph is as high as they make it.
    return addStyle(QStringLiteral("paragraph"), QStringLiteral("P"),
                    {properties, textProperties(block.charFormat(), true)});
}

OdtStylesWriter::TableStyles OdtStylesWriter::tableStyles(const QList<int>& widths)
{
    const Element properties{
        QStringLiteral("style:table-properties"),
        {{QStringLiteral("style:width"), points(std::accumulate(widths.cbegin(), widths.cend(), 0))},
         {QStringLiteral("table:align"), QStringLiteral("left")}},
        {}};
    TableStyles styles{addStyle(QStringLiteral("table"), QStringLiteral("Tbl"), {properties}), {}};
    for (int width : widths)
        styles.columns.append(addStyle(QStringLiteral("table-column"), QStringLiteral("Col"),
                                       {{QStringLiteral("style:table-column-properties"),
                                         {{QStringLiteral("style:column-width"), points(width)}},
                                         {}}}));
    return styles;
}

QByteArray OdtStylesWriter::fontFaces(const QString& defaultFont) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartElement(QStringLiteral("office:font-face-decls"));
    QStringList fonts(m_fonts.cbegin(), m_fonts.cend());
    if (!fonts.contains(defaultFont))
        fonts.append(defaultFont);
    fonts.sort();
    for (const QString& font : fonts) {
        xml.writeEmptyElement(QStringLiteral("style:font-face"));
        xml.writeAttribute(QStringLiteral("style:name"), font);
        xml.writeAttribute(QStringLiteral("svg:font-family"), u'\'' + font + u'\'');
    }
    xml.writeEndElement();
    return bytes;
}

QByteArray OdtStylesWriter::automaticStyles(const OfficeLists& lists) const
{
    QList<Style> styles = m_styles;
    // Every line of a table drawn, as the editor draws them; pictures in the line of text.
    styles.append({cellStyle(),
                   QStringLiteral("table-cell"),
                   {{QStringLiteral("style:table-cell-properties"),
                     {{QStringLiteral("fo:padding"), QStringLiteral("2.7pt")},
                      {QStringLiteral("fo:border"), QStringLiteral("0.5pt solid #000000")}},
                     {}}}});
    styles.append({pictureStyle(),
                   QStringLiteral("graphic"),
                   {{QStringLiteral("style:graphic-properties"),
                     {{QStringLiteral("style:vertical-pos"), QStringLiteral("top")},
                      {QStringLiteral("style:vertical-rel"), QStringLiteral("baseline")}},
                     {}}}});
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    for (const Style& style : styles) {
        xml.writeStartElement(QStringLiteral("style:style"));
        xml.writeAttribute(QStringLiteral("style:name"), style.name);
        xml.writeAttribute(QStringLiteral("style:family"), style.family);
        if (style.family == u"paragraph")
            xml.writeAttribute(QStringLiteral("style:parent-style-name"), QStringLiteral("Standard"));
        for (const Element& element : style.content)
            writeElement(xml, element);
        xml.writeEndElement();
    }
    for (int list = 0; list < lists.count(); ++list) {
        xml.writeStartElement(QStringLiteral("text:list-style"));
        xml.writeAttribute(QStringLiteral("style:name"), listStyle(list));
        const OfficeLists::Levels levels = lists.levels(list);
        for (int index = 0; index < OfficeLists::LevelCount; ++index)
            writeListLevel(xml, levels.at(index), index);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    return bytes;
}
