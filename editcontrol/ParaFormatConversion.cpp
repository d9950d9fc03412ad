#include "editcontrol/ParaFormatConversion.h"

#include "format/TextFormatProperties.h"

#include <QTextBlockFormat>

#include <algorithm>

namespace ParaFormatConversion {

using namespace TextFormatProperties;

namespace {

// The longest indent or spacing the control keeps, in twips (22 inches).
constexpr LONG MaxTwips = 31680;

LONG clampTwips(LONG twips)
{
    return std::clamp<LONG>(twips, -MaxTwips, MaxTwips);
}

// The attributes compared one by one for a mixed selection, with the fields
// that make each of them.
bool sameValue(const PARAFORMAT2& x, const PARAFORMAT2& y, DWORD attribute)
{
    switch (attribute) {
    case PFM_STARTINDENT:
        return x.dxStartIndent == y.dxStartIndent;
    case PFM_RIGHTINDENT:
        return x.dxRightIndent == y.dxRightIndent;
    case PFM_OFFSET:
        return x.dxOffset == y.dxOffset;
    case PFM_ALIGNMENT:
        return x.wAlignment == y.wAlignment;
    case PFM_NUMBERING:
        return x.wNumbering == y.wNumbering;
    case PFM_SPACEBEFORE:
        return x.dySpaceBefore == y.dySpaceBefore;
    case PFM_SPACEAFTER:
        return x.dySpaceAfter == y.dySpaceAfter;
    case PFM_LINESPACING:
        return x.dyLineSpacing == y.dyLineSpacing && x.bLineSpacingRule == y.bLineSpacingRule;
    case PFM_NUMBERINGSTYLE:
        return x.wNumberingStyle == y.wNumberingStyle;
    case PFM_NUMBERINGTAB:
        return x.wNumberingTab == y.wNumberingTab;
    case PFM_NUMBERINGSTART:
        return x.wNumberingStart == y.wNumberingStart;
    default:
        return true;
    }
}

} // namespace

void describe(const QTextBlockFormat& format, PARAFORMAT2& record)
{
    record.dxStartIndent = blockStartIndent(format);
    record.dxOffset = blockOffset(format);
    record.dxRightIndent = blockRightIndent(format);
    record.wAlignment = WORD(blockAlignment(format));
    record.wNumbering = WORD(intProperty(format, BlockNumbering, 0));
    record.wNumberingStart = WORD(intProperty(format, BlockNumberingStart, record.wNumbering ? 1 : 0));
    record.wNumberingStyle = WORD(intProperty(format, BlockNumberingStyle, 0));
    record.wNumberingTab = WORD(intProperty(format, BlockNumberingTab, 0));
    record.dySpaceBefore = blockSpaceBefore(format);
    record.dySpaceAfter = blockSpaceAfter(format);
    record.bLineSpacingRule = BYTE(blockLineSpacingRule(format));
    record.dyLineSpacing = blockLineSpacing(format);
}

DWORD commonMask(const PARAFORMAT2& a, const PARAFORMAT2& b, DWORD mask)
{
    for (DWORD attribute = 1; attribute != 0; attribute <<= 1)
        if ((mask & attribute) && !sameValue(a, b, attribute))
            mask &= ~attribute;
    return mask;
}

QTextBlockFormat applied(const QTextBlockFormat& format, const PARAFORMAT2& record)
{
    QTextBlockFormat result = format;
    const DWORD mask = record.dwMask;
    if (mask & (PFM_STARTINDENT | PFM_OFFSETINDENT | PFM_OFFSET)) {
        LONG start = blockStartIndent(format);
        if (mask & PFM_OFFSETINDENT)
            start += record.dxStartIndent;
        else if (mask & PFM_STARTINDENT)
            start = record.dxStartIndent;
        // Neither the first line nor the others start left of the margin.
        start = std::clamp<LONG>(start, 0, MaxTwips);
        const LONG offset = std::max((mask & PFM_OFFSET) ? record.dxOffset : blockOffset(format), -start);
        setBlockIndents(result, start, clampTwips(offset));
    }
    if (mask & PFM_RIGHTINDENT)
        setBlockRightIndent(result, clampTwips(record.dxRightIndent));
    if (mask & PFM_ALIGNMENT)
        setBlockAlignment(result, record.wAlignment);
    if (mask & PFM_SPACEBEFORE)
        setBlockSpaceBefore(result, std::clamp<LONG>(record.dySpaceBefore, 0, MaxTwips));
    if (mask & PFM_SPACEAFTER)
        setBlockSpaceAfter(result, std::clamp<LONG>(record.dySpaceAfter, 0, MaxTwips));
    if (mask & PFM_LINESPACING)
        setBlockLineSpacing(result, record.bLineSpacingRule, clampTwips(record.dyLineSpacing));
    if (mask & PFM_NUMBERING) {
        if (record.wNumbering == 0) {
            for (const int property : {BlockNumbering, BlockNumberingStart, BlockNumberingStyle,
                                       BlockNumberingTab, BlockListLevel})
                result.clearProperty(property);
        } else {
            result.setProperty(BlockNumbering, record.wNumbering);
        }
    }
    if (mask & PFM_NUMBERINGSTART)
        result.setProperty(BlockNumberingStart, record.wNumberingStart);
    if (mask & PFM_NUMBERINGSTYLE)
        result.setProperty(BlockNumberingStyle, record.wNumberingStyle);
    if (mask & PFM_NUMBERINGTAB)
        result.setProperty(BlockNumberingTab, record.wNumberingTab);
    if (mask & PFM_NUMBERING) // where the first line starts depends on it
        setBlockIndents(result, blockStartIndent(result), blockOffset(result));
    return result;
}

} // namespace ParaFormatConversion
