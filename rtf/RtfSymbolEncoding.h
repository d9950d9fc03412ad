#pragma once

// The Symbol font's byte encoding: the characters its bytes show, and back. The font keeps
// Greek letters, mathematical signs and arrows where Latin text has letters; a document in
// the font means those characters, whatever its code page says.

#include <QtGlobal>

namespace RtfSymbolEncoding {

// The character a byte of the Symbol font shows. Bytes the font leaves empty (below 0x20,
// 0x7F to 0xA0, 0xFF) become the private-use character U+F000 + byte, as the font itself
// is indexed, so that they are written back as the same byte.
char16_t decode(unsigned char byte);

// The Symbol byte of a character, the private-use U+F0xx characters included; 0 when the
// font has none.
unsigned char encode(char16_t character);

} // namespace RtfSymbolEncoding
