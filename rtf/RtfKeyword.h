#pragma once

// The control words the RTF reader acts on, looked up by name. Each word belongs to a
// group, which says which part of the reader handles it; within its group it is a value of
// the group's own enum.

#include <QtGlobal>

#include <string_view>

enum class RtfWordGroup : quint8 {
    Unknown,     // words the reader ignores
    Binary,      // \bin: raw bytes follow
    Document,    // code pages, the default font, \uc
    Destination, // words that say what a group holds
    FontTable,   // font definitions; \f in text selects a font
    ColorTable,
    Character,
    Paragraph,
    Table, // row definitions
    // Text, breaks and special characters: the only words obeyed in groups beyond the
    // depth at which the reader stops keeping a state per group.
    Content,
    List, // the list table, list overrides and the older \pn numbering
    Picture,
    Shape, // a shape's extent
};

enum class RtfDocumentWord : quint8 { Mac, Pc, Pca, AnsiCodePage, DefaultFont, DefaultLanguage, UnicodeSkip };

enum class RtfDestinationWord : quint8 {
    FontTable,
    ColorTable,
    Skip, // a destination whose content is not part of the text
    Picture,
    Object,
    Result,
    Field,
    FieldInstruction,
    FieldResult,
    ListTable,
    List,
    ListLevel,
    LevelText, // \leveltext: a list level's label, kept
    ListOverrideTable,
    ListOverride,
    Pn,
    PnTextAfter,
    PnTextBefore,
    Shape,
    ShapeText,
    ShapeProperty,
    PropertyName,
    PropertyValue,
    ShapeResult,
    ShapePicture,
    NonShapePicture,
    KeepContent, // a group whose content is read as if the group were not there
    Footnote,    // a footnote or endnote, kept with its reference mark
    Drawing,     // \do: an old drawing object
    DrawingText, // \dptxbxtext: the text of a drawing object's text box
};

enum class RtfFontWord : quint8 { Font, Charset, CodePage };

enum class RtfColorWord : quint8 { Red, Green, Blue };

enum class RtfCharacterWord : quint8 {
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Foreground,
    Background,
    Subscript,
    Superscript,
    NoSuperSub,
    Up,
    Down,
    Hidden,
    Protect,
    Language,           // \lang
    NoProof,            // \noproof
    AssociatedFont,     // \af
    AssociatedFontSize, // \afs
    LowAnsi,            // \loch
    HighAnsi,           // \hich
    DoubleByte,         // \dbch
    LeftToRight,        // \ltrch
    RightToLeft,        // \rtlch
};

enum class RtfParagraphWord : quint8 {
    Pard,
    AlignLeft,
    AlignRight,
    AlignCenter,
    AlignJustify,
    FirstIndent,
    LeftIndent,
    RightIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    TabStop,
    PageBreakBefore,
    InTable,
    TableDepth,
    ListLevelIndex,
};

enum class RtfTableWord : quint8 { RowDefaults, CellBoundary };

enum class RtfContentWord : quint8 {
    Unicode,
    Par,
    Page,
    Line,
    Tab,
    Cell,
    Row,
    NestedCell,
    NestedRow,
    FootnoteNumber,
    PageNumber,  // \chpgn
    CurrentDate, // \chdate
    CurrentTime, // \chtime
    EmDash,
    EnDash,
    Bullet,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    EmSpace,
    EnSpace,
    QuarterSpace,
    ZeroWidthJoiner,
    ZeroWidthNonJoiner,
    LeftToRightMark,
    RightToLeftMark,
};

enum class RtfListWord : quint8 {
    ListId,
    ListOverrideIndex, // \ls: in text the paragraph's list, in the override table its number
    LevelNumberFormat,
    LevelStartAt,
    LevelLegal,
    PnBullet,
    PnBody,
    PnLevel,
    PnDecimal,
    PnLowerLetter,
    PnUpperLetter,
    PnLowerRoman,
    PnUpperRoman,
    PnStart,
    PnIndent,
};

enum class RtfPictureWord : quint8 {
    PngBlip,
    JpegBlip,
    DeviceIndependentBitmap,
    WindowsBitmap,
    WindowsMetafile,
    EnhancedMetafile,
    OtherPicture,
    Width,
    Height,
    GoalWidth,
    GoalHeight,
    ScaleX,
    ScaleY,
    BitmapBitsPerPixel,
    BitmapBytesPerLine,
    ObjectWidth,
    ObjectHeight,
};

enum class RtfShapeWord : quint8 { Left, Top, Right, Bottom };

// The group of each enum of words.
template <typename Word> inline constexpr RtfWordGroup rtfGroupOf = RtfWordGroup::Unknown;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfDocumentWord> = RtfWordGroup::Document;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfDestinationWord> = RtfWordGroup::Destination;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfFontWord> = RtfWordGroup::FontTable;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfColorWord> = RtfWordGroup::ColorTable;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfCharacterWord> = RtfWordGroup::Character;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfParagraphWord> = RtfWordGroup::Paragraph;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfTableWord> = RtfWordGroup::Table;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfContentWord> = RtfWordGroup::Content;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfListWord> = RtfWordGroup::List;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfPictureWord> = RtfWordGroup::Picture;
template <> inline constexpr RtfWordGroup rtfGroupOf<RtfShapeWord> = RtfWordGroup::Shape;

// A control word as the reader knows it: its group and its value in the group's enum.
struct RtfControlWord
{
    RtfWordGroup group = RtfWordGroup::Unknown;
    quint8 word = 0;

    template <typename Word> static constexpr RtfControlWord of(Word word)
    {
        return {rtfGroupOf<Word>, static_cast<quint8>(word)};
    }
    static constexpr RtfControlWord binary() { return {RtfWordGroup::Binary, 0}; }

    // The word in its group's enum; only for the enum of its group.
    template <typename Word> Word as() const
    {
        Q_ASSERT(group == rtfGroupOf<Word>);
        return static_cast<Word>(word);
    }

    bool producesContent() const { return group == RtfWordGroup::Content; }
};

// The control word of a name; group Unknown for words the reader ignores.
RtfControlWord rtfControlWord(std::string_view name);

// The character of a content word that stands for one (\emdash ...), 0 for other words.
char16_t rtfSpecialCharacter(RtfContentWord word);
