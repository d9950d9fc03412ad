#include "office/DocxFormatWriter.h"

#include "format/FormatValues.h"
#include "format/LanguageTags.h"
#include "format/TextFormatProperties.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QXmlStreamWriter>

using namespace TextFormatProperties;

namespace {

void writeValue(QXmlStreamWriter& xml, const QString& element, const QString& value)
{
    xml.writeEmptyElement(element);
    xml.writeAttribute(QStringLiteral("w:val"), value);
}

void writeValue(QXmlStreamWriter& xml, const QString& element, int value)
{
    writeValue(xml, element, QString::number(value));
}

// The name of one of the sixteen colours Word highlights with; empty for any other colour.
QString highlightName(const QColor& color)
{
    static const std::pair<QRgb, const char*> names[] = {
        {qRgb(0, 0, 0), "black"},          {qRgb(0, 0, 255), "blue"},
        {qRgb(0, 255, 255), "cyan"},       {qRgb(0, 255, 0), "green"},
        {qRgb(255, 0, 255), "magenta"},    {qRgb(255, 0, 0), "red"},
        {qRgb(255, 255, 0), "yellow"},     {qRgb(255, 255, 255), "white"},
        {qRgb(0, 0, 128), "darkBlue"},     {qRgb(0, 128, 128), "darkCyan"},
        {qRgb(0, 128, 0), "darkGreen"},    {qRgb(128, 0, 128), "darkMagenta"},
        {qRgb(128, 0, 0), "darkRed"},      {qRgb(128, 128, 0), "darkYellow"},
        {qRgb(128, 128, 128), "darkGray"}, {qRgb(192, 192, 192), "lightGray"}};
    for (const auto& [rgb, name] : names)
        if (color.rgb() == rgb)
            return QLatin1String(name);
    return {};
}

void writeSpacing(QXmlStreamWriter& xml, const QTextBlockFormat& format)
{
    const int before = blockSpaceBefore(format);
    const int after = blockSpaceAfter(format);
    const int value = blockLineSpacing(format);
    int line = 240;
    QString rule = QStringLiteral("auto");
    switch (blockLineSpacingRule(format)) {
    case LineSpacingSingle:
        break;
    case LineSpacingOneAndHalf:
        line = 360;
        break;
    case LineSpacingDouble:
        line = 480;
        break;
    case LineSpacingAtLeast:
        line = value;
        rule = QStringLiteral("atLeast");
        break;
    case LineSpacingExactly:
        line = value;
        rule = QStringLiteral("exact");
        break;
    case LineSpacingMultiple:
        line = value * 12;
        break;
    }
    xml.writeEmptyElement(QStringLiteral("w:spacing"));
    xml.writeAttribute(QStringLiteral("w:before"), QString::number(before));
    xml.writeAttribute(QStringLiteral("w:after"), QString::number(after));
    xml.writeAttribute(QStringLiteral("w:line"), QString::number(line));
    xml.writeAttribute(QStringLiteral("w:lineRule"), rule);
}

QString alignmentName(int alignment)
{
    switch (alignment) {
    case PFA_RIGHT:
        return QStringLiteral("right");
    case PFA_CENTER:
        return QStringLiteral("center");
    case PFA_JUSTIFY:
        return QStringLiteral("both");
    default:
        return QStringLiteral("left");
    }
}

} // namespace

namespace DocxFormatWriter {

QString hexColor(const QColor& color)
{
    return color.name(QColor::HexRgb).mid(1).toUpper();
}

void writeRunProperties(QXmlStreamWriter& xml, const QTextCharFormat& format, const QFont& defaults)
{
    xml.writeStartElement(QStringLiteral("w:rPr"));
    if (const QStringList families = format.fontFamilies().toStringList();
        !families.isEmpty() && families.first() != defaults.family()) {
        xml.writeEmptyElement(QStringLiteral("w:rFonts"));
        for (const char* script : {"w:ascii", "w:hAnsi", "w:eastAsia", "w:cs"})
            xml.writeAttribute(QLatin1String(script), families.first());
    }
    if (format.fontWeight() >= QFont::DemiBold)
        xml.writeEmptyElement(QStringLiteral("w:b"));
    if (format.fontItalic())
        xml.writeEmptyElement(QStringLiteral("w:i"));
    if (format.fontStrikeOut())
        xml.writeEmptyElement(QStringLiteral("w:strike"));
    if (charNoProof(format))
        xml.writeEmptyElement(QStringLiteral("w:noProof"));
    if (charHidden(format))
        xml.writeEmptyElement(QStringLiteral("w:vanish"));
    if (!charAutoColor(format))
        writeValue(xml, QStringLiteral("w:color"), hexColor(format.foreground().color()));
    if (const int offset = charOffset(format) / 10; offset != 0)
        writeValue(xml, QStringLiteral("w:position"), offset);
    if (const int size = charSize(format) / 10; size > 0 && size != std::lround(defaults.pointSizeF() * 2)) {
        writeValue(xml, QStringLiteral("w:sz"), size);
        writeValue(xml, QStringLiteral("w:szCs"), size);
    }
    const QColor background = charAutoBackColor(format) ? QColor() : format.background().color();
    const QString highlight = background.isValid() ? highlightName(background) : QString();
    if (!highlight.isEmpty())
        writeValue(xml, QStringLiteral("w:highlight"), highlight);
    if (format.fontUnderline())
        writeValue(xml, QStringLiteral("w:u"), QStringLiteral("single"));
    if (background.isValid() && highlight.isEmpty()) {
        xml.writeEmptyElement(QStringLiteral("w:shd"));
        xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("clear"));
        xml.writeAttribute(QStringLiteral("w:color"), QStringLiteral("auto"));
        xml.writeAttribute(QStringLiteral("w:fill"), hexColor(background));
    }
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        writeValue(xml, QStringLiteral("w:vertAlign"), QStringLiteral("superscript"));
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        writeValue(xml, QStringLiteral("w:vertAlign"), QStringLiteral("subscript"));
    if (const QString tag = LanguageTags::tag(charLanguage(format)); !tag.isEmpty())
        writeValue(xml, QStringLiteral("w:lang"), tag);
    xml.writeEndElement();
}

void writeParagraphProperties(QXmlStreamWriter& xml, const QTextBlock& block, Numbering numbering,
                              const QFont& defaults)
{
    const QTextBlockFormat format = block.blockFormat();
    xml.writeStartElement(QStringLiteral("w:pPr"));
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        xml.writeEmptyElement(QStringLiteral("w:pageBreakBefore"));
    if (numbering.list > 0) {
        xml.writeStartElement(QStringLiteral("w:numPr"));
        writeValue(xml, QStringLiteral("w:ilvl"), numbering.level);
        writeValue(xml, QStringLiteral("w:numId"), numbering.list);
        xml.writeEndElement();
    }
    if (const QList<QTextOption::Tab> tabs = format.tabPositions(); !tabs.isEmpty()) {
        xml.writeStartElement(QStringLiteral("w:tabs"));
        for (const QTextOption::Tab& tab : tabs) {
            xml.writeEmptyElement(QStringLiteral("w:tab"));
            xml.writeAttribute(QStringLiteral("w:val"),
                               tab.type == QTextOption::RightTab       ? QStringLiteral("right")
                               : tab.type == QTextOption::CenterTab    ? QStringLiteral("center")
                               : tab.type == QTextOption::DelimiterTab ? QStringLiteral("decimal")
                                                                       : QStringLiteral("left"));
            xml.writeAttribute(QStringLiteral("w:pos"), QString::number(pixelsToTwips(tab.position)));
        }
        xml.writeEndElement();
    }
    writeSpacing(xml, format);
    // The first line starts at `start`, the others `offset` further: Word's left indent is
    // where the others start, its first line (or hanging part) the difference.
    const int start = blockStartIndent(format);
    const int offset = blockOffset(format);
    xml.writeEmptyElement(QStringLiteral("w:ind"));
    xml.writeAttribute(QStringLiteral("w:left"), QString::number(start + offset));
    xml.writeAttribute(QStringLiteral("w:right"), QString::number(blockRightIndent(format)));
    if (offset > 0)
        xml.writeAttribute(QStringLiteral("w:hanging"), QString::number(offset));
    else
        xml.writeAttribute(QStringLiteral("w:firstLine"), QString::number(-offset));
    writeValue(xml, QStringLiteral("w:jc"), alignmentName(blockAlignment(format)));
    writeRunProperties(xml, block.charFormat(), defaults);
    xml.writeEndElement();
}

} // namespace DocxFormatWriter
