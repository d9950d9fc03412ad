#include "format/ParagraphValues.h"

#include "format/TextFormatProperties.h"

#include <cstdlib>

using namespace TextFormatProperties;

namespace {

void setLineSpacing(QTextBlockFormat& format, int spacing, bool multiple)
{
    if (spacing == 0) {
        setBlockLineSpacing(format, LineSpacingSingle, 0);
        return;
    }
    if (!multiple) {
        if (spacing > 0)
            setBlockLineSpacing(format, LineSpacingAtLeast, spacing);
        else
            setBlockLineSpacing(format, LineSpacingExactly, -spacing);
        return;
    }
    // The usual multiples get the rules the paragraph dialog offers by name.
    switch (const int value = std::abs(spacing)) {
    case 240:
        setBlockLineSpacing(format, LineSpacingSingle, 0);
        break;
    case 360:
        setBlockLineSpacing(format, LineSpacingOneAndHalf, 0);
        break;
    case 480:
        setBlockLineSpacing(format, LineSpacingDouble, 0);
        break;
    default:
        setBlockLineSpacing(format, LineSpacingMultiple, value / 12);
        break;
    }
}

} // namespace

QTextBlockFormat blockFormatOf(const ParagraphValues& paragraph, const ListItemValues& list)
{
    QTextBlockFormat format;
    setBlockAlignment(format, paragraph.alignment);
    setBlockRightIndent(format, paragraph.rightIndent);
    setBlockSpaceBefore(format, paragraph.spaceBefore);
    setBlockSpaceAfter(format, paragraph.spaceAfter);
    setLineSpacing(format, paragraph.lineSpacing, paragraph.lineMultiple);
    if (!paragraph.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        for (int position : paragraph.tabs)
            tabs.append(QTextOption::Tab(twipsToPixels(position), QTextOption::LeftTab));
        format.setTabPositions(tabs);
    }
    if (paragraph.pageBreakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (list.numbering != 0) {
        format.setProperty(BlockNumbering, list.numbering);
        format.setProperty(BlockNumberingStart, list.start);
        format.setProperty(BlockNumberingStyle, list.style);
        format.setProperty(BlockListLevel, list.level);
        if (!list.levelText.isEmpty())
            format.setProperty(BlockListLevelText, list.levelText);
        if (list.legal)
            format.setProperty(BlockListLegal, true);
        if (list.numberingTab != 0)
            format.setProperty(BlockNumberingTab, list.numberingTab);
    }
    // After the numbering: a list item's first line is placed by its symbol.
    setBlockIndents(format, paragraph.leftIndent + paragraph.firstIndent, -paragraph.firstIndent);
    return format;
}
