#pragma once

// The state of the RTF reader: what each group sets (character and paragraph state, the
// destination), and the document's tables that the groups refer to (fonts, colours, lists,
// link targets).

#include "format/FormatValues.h"
#include "rtf/RtfScriptPosition.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Which kind of text the font and size words that follow set, after the last \loch, \hich,
// \dbch, \ltrch or \rtlch: \f and \af set the East Asian font after \dbch and the
// complex-script font after \rtlch (unless \ltrch came before it); \fs and \afs set the
// complex-script size after \hich and after such an \rtlch; otherwise they set the
// Latin font and the size of Latin and East Asian text. \plain and the end of a group end
// the kind. (This is how LibreOffice reads the associated fonts.)
enum class RunKind : quint8 {
    None,
    LowAnsi,                    // \loch
    HighAnsi,                   // \hich
    DoubleByte,                 // \dbch
    LeftToRight,                // \ltrch
    LeftToRightThenRightToLeft, // \ltrch then \rtlch
    RightToLeft,                // \rtlch
    RightToLeftThenLeftToRight, // \rtlch then \ltrch
};

struct CharState
{
    int font = -1;          // the font of Latin text; -1: the document's default font
    int eastAsianFont = -1; // -1: the font of Latin text
    int complexFont = -1;   // -1: the font of Latin text
    int codePageFont = -1;  // the last \f, whose code page decodes bytes; -1: the default font
    int size = 24;          // half points, of Latin and East Asian text
    int complexSize = 24;   // half points
    RunKind kind = RunKind::None;
    int foreground = -1;
    int background = -1;
    int up = 0; // half points, positive raises
    int link = -1;
    int field = -1;    // the field instruction whose result the text is
    int note = -1;     // the note whose reference mark the text is
    int language = -1; // a Windows language id; -1: the document's default language
    quint8 bold = 0;
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strike = 0;
    RtfScriptPosition script = RtfScriptPosition::Normal;
    quint8 hidden = 0;
    quint8 protect = 0;
    quint8 noProof = 0;
    friend bool operator==(const CharState&, const CharState&) = default;
};

inline size_t qHash(const CharState& state, size_t seed = 0)
{
    return qHashMulti(
        seed, state.font, state.eastAsianFont, state.complexFont, state.size, state.complexSize,
        state.foreground, state.background, state.up, state.link, state.field, state.note, state.language,
        state.bold | state.italic << 1 | state.underline << 2 | state.strike << 3 | int(state.script) << 4 |
            state.hidden << 6 | state.protect << 7 | state.noProof << 8);
}

// The older \pn numbering of a paragraph.
struct PnState
{
    int numbering = 0;
    int start = 1;
    std::optional<int> style; // a PFNS_ value, once the number's text says
    int level = 0;
    int indent = 0;
    friend bool operator==(const PnState&, const PnState&) = default;
};

struct ParaState
{
    int alignment = PFA_LEFT;
    int firstIndent = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool pageBreakBefore = false;
    bool inTable = false;
    int tableDepth = 0;
    int listOverride = 0;
    int listLevel = 0;
    PnState pn;
    QList<int> tabs;
    int drawing = -1; // the drawing object whose text box the paragraph is in
    friend bool operator==(const ParaState&, const ParaState&) = default;
};

enum class Destination : quint8 {
    Body,
    Skip,
    FontTable,
    ColorTable,
    FieldInstruction,
    Picture,
    Object,
    ObjectResult,
    ListTable,
    List,
    ListLevel,
    LevelText, // a list level's \leveltext: kept as read
    ListOverrideTable,
    ListOverride,
    Pn,
    PnText,
    Shape,         // a shape's own group and its instructions
    ShapeProperty, // {\sp} of a shape
    PropertyName,  // {\sn}: the name is kept
    PropertyValue, // {\sv} of the shape's picture: its \pict is read
    Note,          // a footnote or endnote: kept as read, not part of the text
    Drawing,       // an old drawing object: kept as read; its text box is read after its paragraph
};

struct GroupState
{
    CharState chars;
    ParaState para;
    Destination destination = Destination::Body;
    int unicodeSkip = 1;
    bool ownsCapture = false; // the group's text is being kept (a picture or object)
};

struct FontDefinition
{
    QString name;
    int charset = 1;
    int codePage = -1; // -1: the document's code page
};

struct ListLevelDefinition
{
    int numbering = PFN_BULLET;
    int start = 1;
    // The label as \leveltext gives it, the numbers of levels 0..8 as the characters 0..8.
    QString levelText;
    bool legal = false; // \levellegal1: the label's numbers all in arabic
};

// The tables of the document that the text refers to by number.
struct RtfDocumentTables
{
    int defaultFont = -1;
    int defaultLanguage = 0; // \deflang; 0: none given
    QHash<int, FontDefinition> fonts;
    QList<QColor> colors;
    QStringList linkTargets;
    QStringList fieldInstructions;
    // A footnote or endnote as read, and whether its mark is its automatic number.
    struct Note
    {
        QByteArray rtf;
        bool numbered = false;
        int codePage = 0; // the document's ANSI code page, which the group's \' bytes are in
    };
    QList<Note> notes;
    QList<QByteArray> drawings;                             // drawing objects with text boxes, as read
    QHash<int, QList<ListLevelDefinition>> listDefinitions; // by \listid
    QHash<int, int> listOverrides;                          // \ls number to \listid
};
