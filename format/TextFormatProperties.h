#pragma once

// How the editor keeps the Windows values of character and paragraph formats exactly.
//
// Lengths are stored in twips (1/20 point) in user properties of the QTextFormat, so a value
// written reads back exactly; the Qt properties that drive the layout are derived from them
// (96 dpi: 1 pt = 20 twips = 4/3 px, so 1 px = 15 twips). Every setter below sets both; every
// getter prefers the stored twips and falls back to the Qt property for formats that were
// made elsewhere (typed text, pasted HTML).
//
// Paragraph indents follow the Windows model: the start indent is where the first line
// begins, the offset is where the other lines begin relative to the first line. Hence
// Qt's left margin = start + offset and Qt's text indent = -offset.

#include "format/FormatValues.h"
#include "format/Units.h"

#include <QBrush>
#include <QTextFormat>
#include <QTextListFormat>

#include <cmath>

namespace TextFormatProperties {

enum Property : int {
    // Characters.
    CharSizeTwips = QTextFormat::UserProperty + 1, // int, font height
    CharOffsetTwips,                               // int, baseline offset, positive raises
    CharCharset,                                   // int 0..255, the Windows character set
    CharProtected,                                 // bool
    CharLinkTarget,                                // QString, target of a link
    CharHidden,                                    // bool, text the author hid

    // Paragraphs.
    BlockStartIndent = QTextFormat::UserProperty + 32, // int twips
    BlockOffset,                                       // int twips
    BlockRightIndent,                                  // int twips
    BlockSpaceBefore,                                  // int twips
    BlockSpaceAfter,                                   // int twips
    BlockLineSpacing,                                  // int twips (rules 3, 4) or 20 per line (rule 5)
    BlockLineSpacingRule,                              // int, LineSpacingRule
    BlockAlignment,                                    // int, PFA_LEFT 1 .. PFA_JUSTIFY 4
    BlockNumbering,                                    // int, PFN_BULLET 1 .. PFN_UCROMAN 6, 0 none
    BlockNumberingStart,                               // int
    BlockNumberingStyle,                               // int, the Windows numbering style word
    BlockNumberingTab,                                 // int twips
    BlockListLevel,                                    // int, 0-based level of a list item

    // Pictures and embedded objects (on the QTextImageFormat of their character).
    ObjectPictureData = QTextFormat::UserProperty + 64, // QByteArray, the encoded picture as read
    ObjectPictureKind,                                  // QString, "png" or "jpeg"
    ObjectRtf,                                          // QByteArray, an RTF group kept verbatim

    // Characters, added later.
    CharFieldInstruction = QTextFormat::UserProperty + 96, // QString, the field whose result the text is
    CharNoteRtf,      // QByteArray, the footnote or endnote group, as read, whose reference mark the text is
    CharNoteNumbered, // bool, the mark is the note's automatic number (\chftn)
    CharNoteCodePage, // int, the ANSI code page of the document the note group was read from
    CharLanguage,     // int, the Windows language id of the text (RTF \langN); unset: the default
    CharNoProof,      // bool, the text is not to be spell checked (RTF \noproof)
    // Paragraphs, added later.
    BlockDrawingRtf = QTextFormat::UserProperty + 128, // QByteArray, the drawing object, as read, whose text
                                                       // box text the paragraph is
    BlockListLevelText, // QString, a list item's label as its list level gives it: the numbers of
                        // levels 0..8 as the characters 0..8 among the label's own characters ("\x00.\x01.")
    BlockListLegal,     // bool, a list item's label shows every number in arabic, whatever the numbering of
                        // the level it counts (Word's legal numbering: "2.1" under "II.")
};

enum LineSpacingRule : int {
    LineSpacingSingle = 0,
    LineSpacingOneAndHalf = 1,
    LineSpacingDouble = 2,
    LineSpacingAtLeast = 3,
    LineSpacingExactly = 4,
    LineSpacingMultiple = 5,
};

inline constexpr qreal twipsToPixels(int twips)
{
    return twips / double(TwipsPerPixel);
}

inline int pixelsToTwips(qreal pixels)
{
    return int(std::lround(pixels * TwipsPerPixel));
}

inline int intProperty(const QTextFormat& format, int property, int fallback)
{
    return format.hasProperty(property) ? format.intProperty(property) : fallback;
}

// Characters.

inline void setCharSize(QTextCharFormat& format, int twips)
{
    format.setProperty(CharSizeTwips, twips);
    format.setFontPointSize(twips / double(TwipsPerPoint));
}

// 0 when the format sets no size.
inline int charSize(const QTextCharFormat& format)
{
    if (format.hasProperty(CharSizeTwips))
        return format.intProperty(CharSizeTwips);
    return int(std::lround(format.fontPointSize() * TwipsPerPoint));
}

// Call after setCharSize: Qt's baseline offset is a percentage of the font height.
inline void setCharOffset(QTextCharFormat& format, int twips)
{
    format.setProperty(CharOffsetTwips, twips);
    const int size = charSize(format) > 0 ? charSize(format) : 240;
    if (twips == 0)
        format.clearProperty(QTextFormat::TextBaselineOffset);
    else
        format.setBaselineOffset(100.0 * twips / size);
}

inline int charOffset(const QTextCharFormat& format)
{
    return intProperty(format, CharOffsetTwips, 0);
}

// An invalid colour means automatic (the window-text colour). Automatic is an
// empty brush rather than no brush at all, so that merging the format into
// coloured text removes the colour; the layout draws an empty brush in the
// default pen.
inline void setCharTextColor(QTextCharFormat& format, const QColor& color)
{
    format.setForeground(color.isValid() ? QBrush(color) : QBrush());
}

inline bool charAutoColor(const QTextCharFormat& format)
{
    return format.foreground().style() == Qt::NoBrush;
}

// An invalid colour means automatic (no highlight), stored as an empty brush
// for the same reason as the text colour.
inline void setCharBackColor(QTextCharFormat& format, const QColor& color)
{
    format.setBackground(color.isValid() ? QBrush(color) : QBrush());
}

inline bool charAutoBackColor(const QTextCharFormat& format)
{
    return format.background().style() == Qt::NoBrush;
}

inline void setCharCharset(QTextCharFormat& format, int charset)
{
    format.setProperty(CharCharset, charset);
}

// The Central European character set (238) when none is stored.
inline int charCharset(const QTextCharFormat& format)
{
    return intProperty(format, CharCharset, 238);
}

// An empty target removes the link.
inline void setCharLink(QTextCharFormat& format, const QString& target)
{
    if (target.isEmpty()) {
        format.clearProperty(CharLinkTarget);
        format.setAnchor(false);
        format.clearProperty(QTextFormat::AnchorHref);
        return;
    }
    format.setProperty(CharLinkTarget, target);
    format.setAnchor(true);
    format.setAnchorHref(target);
}

inline QString charLink(const QTextCharFormat& format)
{
    if (format.hasProperty(CharLinkTarget))
        return format.stringProperty(CharLinkTarget);
    return format.isAnchor() ? format.anchorHref() : QString();
}

// The language of text whose format sets none: Czech, as the RTF writer's \deflang says.
inline constexpr int DefaultLanguage = 1029;

// 0 when the format sets no language: the text is in the default language.
inline int charLanguage(const QTextCharFormat& format)
{
    return intProperty(format, CharLanguage, 0);
}

// 0 or the default language removes the language, so the text follows the default.
inline void setCharLanguage(QTextCharFormat& format, int language)
{
    if (language == 0 || language == DefaultLanguage)
        format.clearProperty(CharLanguage);
    else
        format.setProperty(CharLanguage, language);
}

// Hidden text is kept so that saving writes it back; the layout has no way to hide characters,
// so it is shown like the text around it.
inline bool charHidden(const QTextCharFormat& format)
{
    return format.boolProperty(CharHidden);
}

inline void setCharHidden(QTextCharFormat& format, bool hidden)
{
    if (hidden)
        format.setProperty(CharHidden, true);
    else
        format.clearProperty(CharHidden);
}

inline bool charNoProof(const QTextCharFormat& format)
{
    return format.boolProperty(CharNoProof);
}

inline void setCharNoProof(QTextCharFormat& format, bool noProof)
{
    if (noProof)
        format.setProperty(CharNoProof, true);
    else
        format.clearProperty(CharNoProof);
}

// Paragraphs.

// Call after the numbering is set: the first line of a list item starts where
// its other lines do, and Qt draws the list symbol in the space before it, so
// the symbol stands in the hanging part of the paragraph as Windows draws it.
inline void setBlockIndents(QTextBlockFormat& format, int startTwips, int offsetTwips)
{
    format.setProperty(BlockStartIndent, startTwips);
    format.setProperty(BlockOffset, offsetTwips);
    format.setLeftMargin(twipsToPixels(startTwips + offsetTwips));
    const bool listItem = intProperty(format, BlockNumbering, 0) != 0;
    format.setTextIndent(listItem ? 0 : twipsToPixels(-offsetTwips));
}

inline int blockOffset(const QTextBlockFormat& format)
{
    return intProperty(format, BlockOffset, -pixelsToTwips(format.textIndent()));
}

inline int blockStartIndent(const QTextBlockFormat& format)
{
    return intProperty(format, BlockStartIndent, pixelsToTwips(format.leftMargin()) - blockOffset(format));
}

inline void setBlockRightIndent(QTextBlockFormat& format, int twips)
{
    format.setProperty(BlockRightIndent, twips);
    format.setRightMargin(twipsToPixels(twips));
}

inline int blockRightIndent(const QTextBlockFormat& format)
{
    return intProperty(format, BlockRightIndent, pixelsToTwips(format.rightMargin()));
}

inline void setBlockSpaceBefore(QTextBlockFormat& format, int twips)
{
    format.setProperty(BlockSpaceBefore, twips);
    format.setTopMargin(twipsToPixels(twips));
}

inline int blockSpaceBefore(const QTextBlockFormat& format)
{
    return intProperty(format, BlockSpaceBefore, pixelsToTwips(format.topMargin()));
}

inline void setBlockSpaceAfter(QTextBlockFormat& format, int twips)
{
    format.setProperty(BlockSpaceAfter, twips);
    format.setBottomMargin(twipsToPixels(twips));
}

inline int blockSpaceAfter(const QTextBlockFormat& format)
{
    return intProperty(format, BlockSpaceAfter, pixelsToTwips(format.bottomMargin()));
}

// value: twips for rules 3 and 4, 20 per line for rule 5, kept but unused for rules 0 to 2.
inline void setBlockLineSpacing(QTextBlockFormat& format, int rule, int value)
{
    format.setProperty(BlockLineSpacingRule, rule);
    format.setProperty(BlockLineSpacing, value);
    switch (rule) {
    case LineSpacingOneAndHalf:
        format.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
        break;
    case LineSpacingDouble:
        format.setLineHeight(200, QTextBlockFormat::ProportionalHeight);
        break;
    case LineSpacingAtLeast:
        format.setLineHeight(twipsToPixels(value), QTextBlockFormat::MinimumHeight);
        break;
    case LineSpacingExactly:
        format.setLineHeight(twipsToPixels(value), QTextBlockFormat::FixedHeight);
        break;
    case LineSpacingMultiple:
        format.setLineHeight(value * 5.0, QTextBlockFormat::ProportionalHeight);
        break;
    default:
        format.setLineHeight(100, QTextBlockFormat::SingleHeight);
        break;
    }
}

inline int blockLineSpacingRule(const QTextBlockFormat& format)
{
    return intProperty(format, BlockLineSpacingRule, LineSpacingSingle);
}

inline int blockLineSpacing(const QTextBlockFormat& format)
{
    return intProperty(format, BlockLineSpacing, 0);
}

// alignment: PFA_LEFT 1, PFA_RIGHT 2, PFA_CENTER 3, PFA_JUSTIFY 4; others count as left.
inline void setBlockAlignment(QTextBlockFormat& format, int alignment)
{
    format.setProperty(BlockAlignment, alignment);
    switch (alignment) {
    case 2:
        format.setAlignment(Qt::AlignRight);
        break;
    case 3:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case 4:
        format.setAlignment(Qt::AlignJustify);
        break;
    default:
        format.setAlignment(Qt::AlignLeft);
        break;
    }
}

// The Qt list style that draws a Windows numbering (PFN_BULLET .. PFN_UCROMAN).
inline QTextListFormat::Style listStyleOf(int numbering)
{
    switch (numbering) {
    case PFN_ARABIC:
        return QTextListFormat::ListDecimal;
    case PFN_LCLETTER:
        return QTextListFormat::ListLowerAlpha;
    case PFN_UCLETTER:
        return QTextListFormat::ListUpperAlpha;
    case PFN_LCROMAN:
        return QTextListFormat::ListLowerRoman;
    case PFN_UCROMAN:
        return QTextListFormat::ListUpperRoman;
    default:
        return QTextListFormat::ListDisc;
    }
}

inline int blockAlignment(const QTextBlockFormat& format)
{
    if (format.hasProperty(BlockAlignment))
        return format.intProperty(BlockAlignment);
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignJustify)
        return 4;
    if (alignment & Qt::AlignHCenter)
        return 3;
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        return 2;
    return 1;
}

} // namespace TextFormatProperties
