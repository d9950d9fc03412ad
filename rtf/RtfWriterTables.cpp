#include "rtf/RtfWriterTables.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/RtfListNumbering.h"
#include "rtf/RtfOutput.h"

#include <QTextCharFormat>
#include <QTextList>

using namespace TextFormatProperties;

namespace {

constexpr int SymbolCharset = 2;
constexpr int CentralEuropeanCharset = 238;

} // namespace

RtfWriterTables::RtfWriterTables(const QString& defaultFamily) : m_defaultFamily(defaultFamily)
{
    fontIndex(defaultFamily, CentralEuropeanCharset);
}

int RtfWriterTables::fontIndex(const QString& family, int charset)
{
    const FontKey key{family.isEmpty() ? m_defaultFamily : family, charset};
    if (const auto found = m_fontIndexes.constFind(key); found != m_fontIndexes.cend())
        return *found;
    const int index = int(m_fonts.size());
    m_fonts.append(key);
    m_fontIndexes.insert(key, index);
    return index;
}

int RtfWriterTables::fontIndex(const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return fontIndex(families.isEmpty() ? QString() : families.first(), charCharset(format));
}

int RtfWriterTables::colorIndex(const QColor& color)
{
    if (!color.isValid())
        return 0;
    const QRgb rgb = color.rgb();
    if (const auto found = m_colorIndexes.constFind(rgb); found != m_colorIndexes.cend())
        return *found;
    m_colors.append(color);
    const int index = int(m_colors.size()); // 0 is the automatic colour
    m_colorIndexes.insert(rgb, index);
    return index;
}

void RtfWriterTables::addListParagraph(const QTextList* list, const QTextBlockFormat& format,
                                       RtfListTable::Follows follows)
{
    m_lists.addParagraph(list, format, follows);
    if (m_symbolFont < 0 && RtfListNumbering::numberingOf(format, list) == PFN_BULLET)
        m_symbolFont = fontIndex(QStringLiteral("Symbol"), SymbolCharset);
}

void RtfWriterTables::writeHeader(RtfOutput& out) const
{
    out.put("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029\n{\\fonttbl");
    for (qsizetype index = 0; index < m_fonts.size(); ++index) {
        out.putWord("{\\f", int(index));
        out.putWord("\\fnil\\fcharset", m_fonts.at(index).charset);
        out.put(' ');
        out.putText(m_fonts.at(index).family, RtfOutput::encodingOf(m_fonts.at(index).charset));
        out.put(";}");
    }
    out.put("}\n{\\colortbl ;");
    for (const QColor& color : m_colors) {
        out.putWord("\\red", color.red());
        out.putWord("\\green", color.green());
        out.putWord("\\blue", color.blue());
        out.put(';');
    }
    out.put("}\n");
    if (!m_lists.isEmpty())
        m_lists.write(out);
    out.put("{\\*\\generator Zorvan;}\\viewkind4\\uc1\n");
}
