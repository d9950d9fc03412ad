#pragma once

// Translation between the Windows character-format record (CHARFORMAT2A) and
// Qt's QTextCharFormat, for the control's get and set calls.
//
// A record describes a format completely: what the format leaves unset comes
// from the document's default font (size, face) or counts as automatic
// (colours). Sizes are twips; colours 0x00BBGGRR.

#include "editcontrol/RichEditTypes.h"

class QFont;
class QString;
class QTextCharFormat;

namespace CharFormatConversion {

// The attributes the control supports, each its own mask bit (the sub- and
// superscript bits counting as one).
constexpr DWORD SupportedMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED |
                                CFM_LINK | CFM_SUBSCRIPT | CFM_SIZE | CFM_FACE | CFM_COLOR | CFM_BACKCOLOR |
                                CFM_CHARSET;

// The face name of a record, and a name put into it cut to 31 characters.
QString faceNameOf(const CHARFORMAT2A& record);
void putFaceName(CHARFORMAT2A& record, const QString& name);

// The CFE_ effect bits of a format.
DWORD effectsOf(const QTextCharFormat& format);

// Fills the effects, size, face, colours, weight and character set of `record`;
// dwMask and the pitch are left alone.
void describe(const QTextCharFormat& format, const QFont& defaultFont, CHARFORMAT2A& record);

// The pitch bits (FIXED_PITCH or VARIABLE_PITCH) of an installed face.
BYTE pitchOf(const QString& face);

// `mask` with the bits cleared of the attributes in which `a` and `b` differ,
// as a mixed selection reports them.
DWORD commonMask(const QTextCharFormat& a, const QTextCharFormat& b, DWORD mask, const QFont& defaultFont);

// The change that `record` asks for: only the attributes in its dwMask are set.
// A size of 0 and an empty face set nothing; an automatic colour removes the
// colour (CFM_WEIGHT, applied after CFM_BOLD, sets the exact weight).
QTextCharFormat toQt(const CHARFORMAT2A& record);

} // namespace CharFormatConversion
