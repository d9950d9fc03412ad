#pragma once

// The records and constants of the Windows rich edit control, with their Windows
// names and values, so that the editor control code reads as it was designed.
// Lengths in the records are twips (1/20 point); colours are 0x00BBGGRR.

#include "format/FormatValues.h"
#include "platform/ColorRef.h"

#include <QStringView>

#include <cstdint>

class QPainter;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using SHORT = std::int16_t;
using LCID = std::uint32_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

constexpr int LF_FACESIZE = 32; // characters of a face name, with the terminating zero
// A face name of LF_FACESIZE - 1 UTF-16 units takes at most 3 UTF-8 bytes each.
constexpr int FaceNameBytes = (LF_FACESIZE - 1) * 3 + 1;

struct CHARRANGE
{
    LONG cpMin = 0;
    LONG cpMax = 0;
    friend bool operator==(const CHARRANGE&, const CHARRANGE&) = default;
};

// The control's sentinel values under names of their own: -1 as a position
// means the end of the text (in a range's end) or the caret (in a query), or
// answers that there is no such position (the start of a line that does not
// exist); the range of no characters at all stands for "none".
constexpr LONG EndOfText = -1;
constexpr LONG AtCaret = -1;
constexpr LONG NoPosition = -1;
constexpr CHARRANGE NoRange{-1, -1};
constexpr CHARRANGE WholeText{0, EndOfText};

struct RECT
{
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

// EM_FORMATRANGE: `hdc` draws the page (none: only measure). `rc` is where
// the page's text goes on the paper and `rcPage` the whole page, both in
// twips from the painter's origin.
struct FORMATRANGE
{
    QPainter* hdc = nullptr;
    RECT rc;
    RECT rcPage;
    CHARRANGE chrg;
};

// EM_GETTEXTLENGTHEX flags.
constexpr DWORD GTL_DEFAULT = 0;
constexpr DWORD GTL_USECRLF = 1;
constexpr DWORD GTL_PRECISE = 2;

// EM_FINDTEXTEX: the range searched, the text searched for, and the range of
// the hit found (NoRange when there is none).
struct FINDTEXTEX
{
    CHARRANGE chrg;
    QStringView lpstrText;
    CHARRANGE chrgText = NoRange;
};

// EM_FINDTEXTEX flags.
constexpr DWORD FR_DOWN = 0x1;
constexpr DWORD FR_WHOLEWORD = 0x2;
constexpr DWORD FR_MATCHCASE = 0x4;

// A window message as the protected-text notification reports it.
struct TMessage
{
    UINT Msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct CHARFORMAT2A
{
    UINT cbSize = sizeof(CHARFORMAT2A);
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    LONG yHeight = 0; // twips
    LONG yOffset = 0; // twips, positive raises the text
    COLORREF crTextColor = 0;
    BYTE bCharSet = 0;
    BYTE bPitchAndFamily = 0;
    char szFaceName[FaceNameBytes] = {}; // up to 31 characters in UTF-8, zero-terminated
    WORD wWeight = 0;
    SHORT sSpacing = 0;
    COLORREF crBackColor = 0;
    LCID lcid = 0;
    DWORD dwReserved = 0;
    SHORT sStyle = 0;
    WORD wKerning = 0;
    BYTE bUnderlineType = 0;
    BYTE bAnimation = 0;
    BYTE bRevAuthor = 0;
    BYTE bReserved1 = 0;
};

constexpr int MAX_TAB_STOPS = 32;

struct PARAFORMAT2
{
    UINT cbSize = sizeof(PARAFORMAT2);
    DWORD dwMask = 0;
    WORD wNumbering = 0;
    WORD wEffects = 0;
    LONG dxStartIndent = 0; // twips, first line's indent from the left margin
    LONG dxRightIndent = 0;
    LONG dxOffset = 0; // twips, other lines relative to the first line
    WORD wAlignment = 0;
    SHORT cTabCount = 0;
    LONG rgxTabs[MAX_TAB_STOPS] = {};
    LONG dySpaceBefore = 0;
    LONG dySpaceAfter = 0;
    LONG dyLineSpacing = 0;
    SHORT sStyle = 0;
    BYTE bLineSpacingRule = 0;
    BYTE bOutlineLevel = 0;
    WORD wShadingWeight = 0;
    WORD wShadingStyle = 0;
    WORD wNumberingStart = 0;
    WORD wNumberingStyle = 0;
    WORD wNumberingTab = 0;
    WORD wBorderSpace = 0;
    WORD wBorderWidth = 0;
    WORD wBorders = 0;
};

// Returns 0 to go on; *transferred receives the bytes read or written.
using EDITSTREAMCALLBACK = DWORD (*)(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* transferred);

struct EDITSTREAM
{
    DWORD_PTR dwCookie = 0;
    DWORD dwError = 0;
    EDITSTREAMCALLBACK pfnCallback = nullptr;
};

// Character format masks and effects.
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_PROTECTED = 0x00000010;
constexpr DWORD CFM_LINK = 0x00000020;
constexpr DWORD CFM_SUBSCRIPT = 0x00030000;
constexpr DWORD CFM_SUPERSCRIPT = 0x00030000;
constexpr DWORD CFM_WEIGHT = 0x00400000;
constexpr DWORD CFM_BACKCOLOR = 0x04000000;
constexpr DWORD CFM_CHARSET = 0x08000000;
constexpr DWORD CFM_OFFSET = 0x10000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_SIZE = 0x80000000;

constexpr DWORD CFE_BOLD = 0x00000001;
constexpr DWORD CFE_ITALIC = 0x00000002;
constexpr DWORD CFE_UNDERLINE = 0x00000004;
constexpr DWORD CFE_STRIKEOUT = 0x00000008;
constexpr DWORD CFE_PROTECTED = 0x00000010;
constexpr DWORD CFE_LINK = 0x00000020;
constexpr DWORD CFE_SUBSCRIPT = 0x00010000;
constexpr DWORD CFE_SUPERSCRIPT = 0x00020000;
constexpr DWORD CFE_AUTOBACKCOLOR = 0x04000000;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

constexpr WPARAM SCF_DEFAULT = 0x0000;
constexpr WPARAM SCF_SELECTION = 0x0001;
constexpr WPARAM SCF_WORD = 0x0002;
constexpr WPARAM SCF_ALL = 0x0004;

// Paragraph format masks and values.
constexpr DWORD PFM_STARTINDENT = 0x00000001;
constexpr DWORD PFM_RIGHTINDENT = 0x00000002;
constexpr DWORD PFM_OFFSET = 0x00000004;
constexpr DWORD PFM_ALIGNMENT = 0x00000008;
constexpr DWORD PFM_TABSTOPS = 0x00000010;
constexpr DWORD PFM_NUMBERING = 0x00000020;
constexpr DWORD PFM_SPACEBEFORE = 0x00000040;
constexpr DWORD PFM_SPACEAFTER = 0x00000080;
constexpr DWORD PFM_LINESPACING = 0x00000100;
constexpr DWORD PFM_NUMBERINGSTYLE = 0x00002000;
constexpr DWORD PFM_NUMBERINGTAB = 0x00004000;
constexpr DWORD PFM_NUMBERINGSTART = 0x00008000;
constexpr DWORD PFM_OFFSETINDENT = 0x80000000;

// Stream formats and flags.
constexpr UINT SF_TEXT = 0x0001;
constexpr UINT SF_RTF = 0x0002;
constexpr UINT SF_RTFNOOBJS = 0x0003;
constexpr UINT SF_UNICODE = 0x0010;
constexpr UINT SFF_PLAINRTF = 0x4000;
constexpr UINT SFF_SELECTION = 0x8000;

// Standard clipboard formats (EM_PASTESPECIAL).
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_UNICODETEXT = 13;

// Notification masks.
constexpr DWORD ENM_NONE = 0x00000000;
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_REQUESTRESIZE = 0x00040000;
constexpr DWORD ENM_SELCHANGE = 0x00080000;
constexpr DWORD ENM_PROTECTED = 0x00200000;
constexpr DWORD ENM_LINK = 0x04000000;

// Options.
constexpr DWORD ECO_AUTOWORDSELECTION = 0x00000001;
constexpr WPARAM ECOOP_SET = 0x0001;
constexpr WPARAM ECOOP_OR = 0x0002;
constexpr WPARAM ECOOP_AND = 0x0003;
constexpr WPARAM ECOOP_XOR = 0x0004;

// Selection kinds.
constexpr WORD SEL_EMPTY = 0x0000;
constexpr WORD SEL_TEXT = 0x0001;
constexpr WORD SEL_OBJECT = 0x0002;
constexpr WORD SEL_MULTICHAR = 0x0004;
constexpr WORD SEL_MULTIOBJECT = 0x0008;

// Text modes.
constexpr UINT TM_PLAINTEXT = 1;
constexpr UINT TM_RICHTEXT = 2;
constexpr UINT TM_SINGLELEVELUNDO = 4;
constexpr UINT TM_MULTILEVELUNDO = 8;

// Language options.
constexpr DWORD IMF_AUTOKEYBOARD = 0x0001;
constexpr DWORD IMF_AUTOFONT = 0x0002;
constexpr DWORD IMF_IMECANCELCOMPLETE = 0x0004;
constexpr DWORD IMF_IMEALWAYSSENDNOTIFY = 0x0008;

// Window styles of the control.
constexpr DWORD ES_NOHIDESEL = 0x00000100;
constexpr DWORD ES_DISABLENOSCROLL = 0x00002000;
constexpr DWORD ES_SAVESEL = 0x00008000;
constexpr DWORD ES_SELECTIONBAR = 0x01000000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_VSCROLL = 0x00200000;

// Window messages named by notifications and protected-text queries.
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_SETCHARFORMAT = 0x0444;
constexpr UINT EM_SETPARAFORMAT = 0x0447;
