#include "richedit/TZvTextAttributes.h"

#include "format/Units.h"
#include "editcontrol/CharFormatConversion.h"
#include "editcontrol/RichEditControl.h"
#include "richedit/TZvCustomRichEdit.h"

namespace {

// The record of the old editor library ends before the weight field.
constexpr UINT OldRecordSize = 60;
constexpr int StyleBits = fsBold | fsItalic | fsUnderline | fsStrikeOut;
constexpr DWORD StyleMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
constexpr WORD BoldWeight = 700;
constexpr WORD NormalWeight = 400;

bool isOldLibrary()
{
    return EditorLibraryVersion() < 2;
}

// A colour into a record: the system colour that stands for automatic, or the
// default-colour value, sets the automatic effect; any other colour is written
// as RGB.
void putColor(TColor value, TColor automatic, DWORD automaticEffect, DWORD& effects, COLORREF& field)
{
    if (value == automatic || value == clDefault)
        effects |= automaticEffect;
    else
        field = ColorToRGB(value);
}

} // namespace

TZvTextAttributes::TZvTextAttributes(TZvCustomRichEdit& owner, TAttributeType type)
    : m_owner(owner), m_type(type)
{
}

WPARAM TZvTextAttributes::messageArgument() const
{
    switch (m_type) {
    case TAttributeType::atDefaultText:
        return SCF_DEFAULT;
    case TAttributeType::atSelected:
        return SCF_SELECTION;
    case TAttributeType::atWord:
        return SCF_SELECTION | SCF_WORD;
    }
    return SCF_SELECTION;
}

CHARFORMAT2A TZvTextAttributes::read() const
{
    CHARFORMAT2A record;
    if (isOldLibrary())
        record.cbSize = OldRecordSize;
    if (m_owner.HandleAllocated())
        m_owner.control()->GetCharFormat(messageArgument() == SCF_DEFAULT ? SCF_DEFAULT : SCF_SELECTION,
                                         record);
    return record;
}

void TZvTextAttributes::write(CHARFORMAT2A& record) const
{
    if (isOldLibrary())
        record.cbSize = OldRecordSize;
    if (m_owner.HandleAllocated())
        m_owner.control()->SetCharFormat(messageArgument(), record);
}

QString TZvTextAttributes::FaceName() const
{
    return CharFormatConversion::faceNameOf(read());
}

void TZvTextAttributes::setFaceName(const QString& value)
{
    CHARFORMAT2A record;
    record.dwMask = CFM_FACE;
    CharFormatConversion::putFaceName(record, value);
    write(record);
}

int TZvTextAttributes::PointSize() const
{
    return int(read().yHeight / TwipsPerPoint);
}

void TZvTextAttributes::setPointSize(int value)
{
    CHARFORMAT2A record;
    record.dwMask = CFM_SIZE;
    record.yHeight = value * TwipsPerPoint;
    write(record);
}

TColor TZvTextAttributes::TextColor() const
{
    const CHARFORMAT2A record = read();
    return (record.dwEffects & CFE_AUTOCOLOR) ? clWindowText : TColor(record.crTextColor);
}

void TZvTextAttributes::setTextColor(TColor value)
{
    CHARFORMAT2A record;
    record.dwMask = CFM_COLOR;
    putColor(value, clWindowText, CFE_AUTOCOLOR, record.dwEffects, record.crTextColor);
    write(record);
}

TColor TZvTextAttributes::HighlightColor() const
{
    if (isOldLibrary())
        return clWindow;
    const CHARFORMAT2A record = read();
    return (record.dwEffects & CFE_AUTOBACKCOLOR) ? clWindow : TColor(record.crBackColor);
}

void TZvTextAttributes::setHighlightColor(TColor value)
{
    if (isOldLibrary())
        return;
    CHARFORMAT2A record;
    record.dwMask = CFM_BACKCOLOR;
    putColor(value, clWindow, CFE_AUTOBACKCOLOR, record.dwEffects, record.crBackColor);
    write(record);
}

TZvStyleFlags TZvTextAttributes::StyleFlags() const
{
    return read().dwEffects & StyleBits;
}

void TZvTextAttributes::setStyleFlags(TZvStyleFlags value)
{
    CHARFORMAT2A record;
    record.dwMask = StyleMask;
    record.dwEffects = value & StyleBits;
    write(record);
}

int TZvTextAttributes::ScriptPosition() const
{
    if (isOldLibrary())
        return spNormal;
    const DWORD effects = read().dwEffects;
    if (effects & CFE_SUBSCRIPT)
        return spSubscript;
    if (effects & CFE_SUPERSCRIPT)
        return spSuperscript;
    return spNormal;
}

void TZvTextAttributes::setScriptPosition(int value)
{
    if (isOldLibrary())
        return;
    CHARFORMAT2A record;
    record.dwMask = CFM_SUBSCRIPT | CFM_SUPERSCRIPT;
    if (value == spSubscript)
        record.dwEffects = CFE_SUBSCRIPT;
    else if (value == spSuperscript)
        record.dwEffects = CFE_SUPERSCRIPT;
    write(record);
}

int TZvTextAttributes::Charset() const
{
    return read().bCharSet;
}

void TZvTextAttributes::setCharset(int value)
{
    CHARFORMAT2A record;
    record.dwMask = CFM_CHARSET;
    record.bCharSet = BYTE(value);
    write(record);
}

TFontPitch TZvTextAttributes::Pitch() const
{
    switch (read().bPitchAndFamily & 3) {
    case FIXED_PITCH:
        return TFontPitch::fpFixed;
    case VARIABLE_PITCH:
        return TFontPitch::fpVariable;
    default:
        return TFontPitch::fpDefault;
    }
}

void TZvTextAttributes::Assign(const TPersistent& source)
{
    if (const auto* font = dynamic_cast<const TFont*>(&source)) {
        assignFont(*font);
        return;
    }
    if (const auto* attributes = dynamic_cast<const TZvTextAttributes*>(&source)) {
        CHARFORMAT2A record = attributes->read();
        write(record);
        return;
    }
    TPersistent::Assign(source);
}

void TZvTextAttributes::assignFont(const TFont& font)
{
    CHARFORMAT2A record;
    switch (font.Pitch) {
    case TFontPitch::fpVariable:
        record.bPitchAndFamily = VARIABLE_PITCH;
        break;
    case TFontPitch::fpFixed:
        record.bPitchAndFamily = FIXED_PITCH;
        break;
    case TFontPitch::fpDefault:
        break;
    }
    record.dwMask = CFM_SIZE | StyleMask | CFM_FACE | CFM_COLOR | CFM_CHARSET | CFM_WEIGHT;
    record.yHeight = font.Size * TwipsPerPoint;
    record.dwEffects = font.Style & StyleBits;
    CharFormatConversion::putFaceName(record, font.Name);
    putColor(font.Color, clWindowText, CFE_AUTOCOLOR, record.dwEffects, record.crTextColor);
    record.bCharSet = BYTE(font.Charset);
    // The weight a bold or a regular face of the font is drawn with.
    record.wWeight = (font.Style & fsBold) ? BoldWeight : NormalWeight;
    write(record);
}

void TZvTextAttributes::AssignTo(TPersistent& destination) const
{
    auto* font = dynamic_cast<TFont*>(&destination);
    if (!font) {
        TPersistent::AssignTo(destination);
        return;
    }
    font->Color = TextColor();
    font->Name = FaceName();
    font->Charset = Charset();
    font->Style = StyleFlags();
    font->Size = PointSize();
    font->Pitch = Pitch();
}
