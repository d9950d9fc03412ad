#pragma once

// A font as the font dialog and the editor's character attributes exchange it:
// face, size in whole points, style, colour, character set and pitch.

#include "platform/Persistent.h"
#include "platform/SysColor.h"

#include <QFont>
#include <QString>

// Style bits, the same values as the character attributes' StyleFlags.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

// Windows character sets and pitches (the low bits of a pitch-and-family byte).
constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;
constexpr int EASTEUROPE_CHARSET = 238;
constexpr int OEM_CHARSET = 255;
constexpr int FIXED_PITCH = 1;
constexpr int VARIABLE_PITCH = 2;

class TFont : public TPersistent
{
public:
    QString Name = QStringLiteral("MS Sans Serif");
    int Size = 8; // points
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    int Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = TFontPitch::fpDefault;

    QString ClassName() const override { return QStringLiteral("TFont"); }
    void Assign(const TPersistent& source) override;

    // The Qt font that draws this font (face, size and style; colour, character
    // set and pitch are not part of a QFont).
    QFont toQFont() const;

    friend bool operator==(const TFont& a, const TFont& b)
    {
        return a.Name == b.Name && a.Size == b.Size && a.Style == b.Style && a.Color == b.Color &&
               a.Charset == b.Charset && a.Pitch == b.Pitch;
    }
};
