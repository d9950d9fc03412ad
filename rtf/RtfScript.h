#pragma once

// The kind of script a character is written in, as word processors choose fonts by it:
// RTF gives a run a font for Latin text (\f, \loch, \hich), one for East Asian text
// (\dbch\af) and one for complex scripts (\rtlch\af), and a reader shows each character in
// the font of its kind. Characters of no script of their own (spaces, digits, punctuation)
// are weak and go with the text around them.

#include <QtGlobal>

enum class RtfScript : quint8 { Latin, Asian, Complex };

// The script of a character, or Weak.
enum class RtfScriptClass : quint8 { Weak, Latin, Asian, Complex };

RtfScriptClass rtfScriptClassOf(char32_t character);
