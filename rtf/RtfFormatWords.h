#pragma once

// What the character and paragraph words do to the state of the group they stand in.
// Values out of range are clamped: sizes to 1..3276 half points, indents and spacing to
// ±100000 twips, at most 64 tab stops, list levels 0..8.

#include "rtf/RtfKeyword.h"
#include "rtf/RtfReaderState.h"

namespace RtfFormatWords {

void applyCharacterWord(CharState& chars, RtfCharacterWord word, int parameter, bool hasParameter);
void applyParagraphWord(ParaState& para, RtfParagraphWord word, int parameter, bool hasParameter);
// \f or \af in text: sets the font of the kind of text the run's words chose.
void setRunFont(CharState& chars, int font);

} // namespace RtfFormatWords
