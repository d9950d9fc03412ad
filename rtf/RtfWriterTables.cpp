#include "rtf/RtfWriterTables.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/RtfListNumbering.h"
#include "rtf/RtfOutput.h"

#include <QTextCharFormat>
#include <QTextList>

#include <cstring>

using namespace TextFormatProperties;

namespace {

constexpr int SymbolCharset = 2;
constexpr int CentralEuropeanCharset = 238;

// A numbered level's text: its number (placeholder \'0N for level N) with the characters
// the Windows numbering style puts around it.
void putLevelText(RtfOutput& out, int level, int style)
{
    const char* before = style == PFNS_PARENS ? "(" : "";
    const char* after = RtfListNumbering::afterText(style);
    const int length = 1 + int(std::strlen(before) + std::strlen(after));
    out.put("{\\leveltext\\'0");
    out.put(char('0' + length));
    out.put(before);
    out.put("\\'0");
    out.put(char('0' + level));
    out.put(after);
    out.put(";}{\\levelnumbers\\'0");
    out.put(char('1' + std::strlen(before)));
    out.put(";}");
}

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

void RtfWriterTables::addList(const QTextList* list, const QTextBlockFormat& format)
{
    if (m_listIndexes.contains(list))
        return;
    m_lists.append(list);
    m_listIndexes.insert(list, int(m_lists.size()));
    const int numbering = RtfListNumbering::numberingOf(format, list);
    const ListDefinition definition{numbering, intProperty(format, BlockNumberingStart, 1),
                                    intProperty(format, BlockNumberingStyle, PFNS_PERIOD)};
    qsizetype definitionIndex = m_listDefinitions.indexOf(definition);
    if (definitionIndex < 0) {
        definitionIndex = m_listDefinitions.size();
        m_listDefinitions.append(definition);
    }
    m_listDefinitionOf.insert(list, int(definitionIndex + 1));
    if (numbering == PFN_BULLET && m_symbolFont < 0)
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
        writeListTables(out);
    out.put("{\\*\\generator Zorvan;}\\viewkind4\\uc1\n");
}

// One list definition per kind of numbering, one override (\ls) per list.
void RtfWriterTables::writeListTables(RtfOutput& out) const
{
    out.put("{\\*\\listtable");
    for (qsizetype index = 0; index < m_listDefinitions.size(); ++index) {
        const auto [numbering, start, style] = m_listDefinitions.at(index);
        const int levelFormat = RtfListNumbering::levelFormatOf(numbering);
        out.putWord("\n{\\list\\listtemplateid", int(index + 1));
        for (int level = 0; level < 9; ++level) {
            out.putWord("{\\listlevel\\levelnfc", levelFormat);
            out.putWord("\\levelnfcn", levelFormat);
            out.putWord("\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat", start);
            if (numbering == PFN_BULLET)
                out.put("{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}");
            else
                putLevelText(out, level, style);
            out.putWord("\\fi-360\\li", 720 * (level + 1));
            out.put('}');
        }
        out.putWord("{\\listname ;}\\listid", int(index + 1));
        out.put('}');
    }
    out.put("}\n{\\*\\listoverridetable");
    for (const QTextList* list : m_lists) {
        out.putWord("{\\listoverride\\listid", m_listDefinitionOf.value(list));
        out.putWord("\\listoverridecount0\\ls", m_listIndexes.value(list));
        out.put('}');
        out.flushIfFull();
    }
    out.put("}\n");
}
