#pragma once

// The Windows paragraph values that the document's formats keep (alignment, numbering kind
// and numbering style), with their Windows names and numbers. The RTF reader and writer and
// the editor control share them, so they live with the format model rather than with the
// control's records.

#include <cstdint>

// Alignment (PARAFORMAT2 wAlignment).
constexpr std::uint16_t PFA_LEFT = 1;
constexpr std::uint16_t PFA_RIGHT = 2;
constexpr std::uint16_t PFA_CENTER = 3;
constexpr std::uint16_t PFA_JUSTIFY = 4;

// Numbering kind (PARAFORMAT2 wNumbering); 0 is no numbering.
constexpr std::uint16_t PFN_BULLET = 1;
constexpr std::uint16_t PFN_ARABIC = 2;
constexpr std::uint16_t PFN_LCLETTER = 3;
constexpr std::uint16_t PFN_UCLETTER = 4;
constexpr std::uint16_t PFN_LCROMAN = 5;
constexpr std::uint16_t PFN_UCROMAN = 6;

// Numbering style (PARAFORMAT2 wNumberingStyle): what surrounds the number.
constexpr std::uint16_t PFNS_PAREN = 0x0000;    // "1)"
constexpr std::uint16_t PFNS_PARENS = 0x0100;   // "(1)"
constexpr std::uint16_t PFNS_PERIOD = 0x0200;   // "1."
constexpr std::uint16_t PFNS_PLAIN = 0x0300;    // "1"
constexpr std::uint16_t PFNS_NONUMBER = 0x0400; // the paragraph continues the list without a number
