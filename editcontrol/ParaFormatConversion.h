#pragma once

// Translation between the Windows paragraph-format record (PARAFORMAT2) and
// Qt's QTextBlockFormat, for the control's get and set calls. Lengths are
// twips; the list a paragraph belongs to is the control's business, this unit
// only carries the numbering values kept in the block format.

#include "editcontrol/RichEditTypes.h"

class QTextBlockFormat;

namespace ParaFormatConversion {

// The attributes the control supports, each its own mask bit.
constexpr DWORD SupportedMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT |
                                PFM_NUMBERING | PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_LINESPACING |
                                PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB | PFM_NUMBERINGSTART;

// Fills every supported field of `record` from a paragraph's format; dwMask is
// left alone.
void describe(const QTextBlockFormat& format, PARAFORMAT2& record);

// `mask` with the bits cleared of the attributes in which `a` and `b` differ.
DWORD commonMask(const PARAFORMAT2& a, const PARAFORMAT2& b, DWORD mask);

// A paragraph's format with the attributes in the record's dwMask applied.
// PFM_OFFSETINDENT moves the start indent by dxStartIndent instead of setting it.
QTextBlockFormat applied(const QTextBlockFormat& format, const PARAFORMAT2& record);

} // namespace ParaFormatConversion
