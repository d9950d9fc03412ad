#include "richedit/TZvParaAttributes.h"

#include "format/Units.h"
#include "editcontrol/RichEditControl.h"
#include "richedit/TZvCustomRichEdit.h"

namespace {

// The record of the old editor library ends before the spacing fields.
constexpr UINT OldRecordSize = 156;

bool isOldLibrary()
{
    return EditorLibraryVersion() < 2;
}

PARAFORMAT2 emptyRecord()
{
    PARAFORMAT2 record;
    if (isOldLibrary())
        record.cbSize = OldRecordSize;
    return record;
}

} // namespace

TZvParaAttributes::TZvParaAttributes(TZvCustomRichEdit& owner) : m_owner(owner)
{
}

PARAFORMAT2 TZvParaAttributes::read() const
{
    PARAFORMAT2 record = emptyRecord();
    if (m_owner.HandleAllocated())
        m_owner.control()->GetParaFormat(record);
    if (isOldLibrary()) {
        // The short record has no room for these.
        record.dySpaceBefore = record.dySpaceAfter = record.dyLineSpacing = 0;
        record.bLineSpacingRule = 0;
    }
    return record;
}

// A right-to-left editor exchanges left and right alignment as it is written.
void TZvParaAttributes::write(PARAFORMAT2& record) const
{
    RichEditControl* control = m_owner.control();
    if ((record.dwMask & PFM_ALIGNMENT) && m_owner.layoutDirection() == Qt::RightToLeft) {
        if (record.wAlignment == PFA_LEFT)
            record.wAlignment = PFA_RIGHT;
        else if (record.wAlignment == PFA_RIGHT)
            record.wAlignment = PFA_LEFT;
    }
    control->SetParaFormat(record);
}

void TZvParaAttributes::Assign(const TPersistent& source)
{
    if (const auto* attributes = dynamic_cast<const TZvParaAttributes*>(&source)) {
        PARAFORMAT2 record = attributes->read();
        write(record);
        return;
    }
    TPersistent::Assign(source);
}

int TZvParaAttributes::Alignment() const
{
    return int(read().wAlignment) - 1;
}

void TZvParaAttributes::setAlignment(int value)
{
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_ALIGNMENT;
    record.wAlignment = WORD(value + 1);
    write(record);
}

int TZvParaAttributes::ListStyle() const
{
    const int numbering = read().wNumbering;
    return isOldLibrary() && numbering != 0 ? lsBullet : numbering;
}

// A list leaves room for its symbol: the later lines start at least 10 points
// past the first; leaving the list takes that offset away.
void TZvParaAttributes::setListStyle(int value)
{
    if (isOldLibrary() && value != 0)
        value = lsBullet;
    if (value == lsNone)
        setLeftIndent(0);
    else if (LeftIndent() < 10)
        setLeftIndent(10);
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_NUMBERING;
    record.wNumbering = WORD(value);
    write(record);
}

void TZvParaAttributes::setNumberingStart(int value)
{
    if (isOldLibrary())
        return;
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_NUMBERINGSTART;
    record.wNumberingStart = WORD(value);
    write(record);
}

void TZvParaAttributes::setNumberingStyle(int value)
{
    if (isOldLibrary())
        return;
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_NUMBERINGSTYLE;
    record.wNumberingStyle = WORD(value);
    write(record);
}

int TZvParaAttributes::FirstLineIndent() const
{
    return int(read().dxStartIndent / TwipsPerPoint);
}

void TZvParaAttributes::setFirstLineIndent(int value)
{
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_STARTINDENT;
    record.dxStartIndent = value * TwipsPerPoint;
    write(record);
}

int TZvParaAttributes::LeftIndent() const
{
    return int(read().dxOffset / TwipsPerPoint);
}

void TZvParaAttributes::setLeftIndent(int value)
{
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_OFFSET;
    record.dxOffset = value * TwipsPerPoint;
    write(record);
}

int TZvParaAttributes::RightIndent() const
{
    return int(read().dxRightIndent / TwipsPerPoint);
}

void TZvParaAttributes::setRightIndent(int value)
{
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_RIGHTINDENT;
    record.dxRightIndent = value * TwipsPerPoint;
    write(record);
}

int TZvParaAttributes::SpaceBefore() const
{
    return int(read().dySpaceBefore / TwipsPerPoint);
}

void TZvParaAttributes::setSpaceBefore(int value)
{
    if (isOldLibrary())
        return;
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_SPACEBEFORE;
    record.dySpaceBefore = value * TwipsPerPoint;
    write(record);
}

int TZvParaAttributes::SpaceAfter() const
{
    return int(read().dySpaceAfter / TwipsPerPoint);
}

void TZvParaAttributes::setSpaceAfter(int value)
{
    if (isOldLibrary())
        return;
    PARAFORMAT2 record = emptyRecord();
    record.dwMask = PFM_SPACEAFTER;
    record.dySpaceAfter = value * TwipsPerPoint;
    write(record);
}

int TZvParaAttributes::LineSpacing() const
{
    return int(read().dyLineSpacing / TwipsPerPoint);
}

// The rule and the spacing are written together: the one not being written
// keeps the value the paragraph has.
void TZvParaAttributes::setLineSpacing(int value)
{
    if (isOldLibrary())
        return;
    PARAFORMAT2 record = read();
    record.dwMask = PFM_LINESPACING;
    record.dyLineSpacing = value * TwipsPerPoint;
    write(record);
}

int TZvParaAttributes::LineSpacingRule() const
{
    return read().bLineSpacingRule;
}

void TZvParaAttributes::setLineSpacingRule(int value)
{
    if (isOldLibrary())
        return;
    PARAFORMAT2 record = read();
    record.dwMask = PFM_LINESPACING;
    record.bLineSpacingRule = BYTE(value);
    write(record);
}
