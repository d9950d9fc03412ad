#include "rtf/RtfFormatWords.h"

#include <algorithm>

namespace {

constexpr int MaxTwips = 100000;
constexpr int MaxTabStops = 64;
constexpr int MaxListLevels = 9;

// Whether the font words set the East Asian or the complex-script font rather than the
// Latin one, after the words that say which kind of text follows.
enum class FontSlot { Latin, EastAsian, Complex };

FontSlot fontSlotOf(RunKind kind)
{
    switch (kind) {
    case RunKind::DoubleByte:
        return FontSlot::EastAsian;
    case RunKind::RightToLeft:
    case RunKind::LeftToRightThenRightToLeft:
        return FontSlot::Complex;
    case RunKind::None:
    case RunKind::LowAnsi:
    case RunKind::HighAnsi:
    case RunKind::LeftToRight:
    case RunKind::RightToLeftThenLeftToRight:
        return FontSlot::Latin;
    }
    return FontSlot::Latin;
}

// Whether the size words set the complex-script size rather than the size of the rest.
bool setsComplexSize(RunKind kind)
{
    switch (kind) {
    case RunKind::HighAnsi:
    case RunKind::RightToLeft:
    case RunKind::LeftToRightThenRightToLeft:
        return true;
    case RunKind::None:
    case RunKind::LowAnsi:
    case RunKind::DoubleByte:
    case RunKind::LeftToRight:
    case RunKind::RightToLeftThenLeftToRight:
        return false;
    }
    return false;
}

} // namespace

namespace RtfFormatWords {

void setRunFont(CharState& chars, int font)
{
    switch (fontSlotOf(chars.kind)) {
    case FontSlot::Latin:
        chars.font = font;
        break;
    case FontSlot::EastAsian:
        chars.eastAsianFont = font;
        break;
    case FontSlot::Complex:
        chars.complexFont = font;
        break;
    }
}

void applyCharacterWord(CharState& chars, RtfCharacterWord word, int parameter, bool hasParameter)
{
    const quint8 on = !hasParameter || parameter != 0;
    switch (word) {
    case RtfCharacterWord::Plain: {
        const int link = chars.link;
        const int field = chars.field;
        chars = CharState();
        chars.link = link; // a field's result stays its result through \plain
        chars.field = field;
        break;
    }
    case RtfCharacterWord::Bold:
        chars.bold = on;
        break;
    case RtfCharacterWord::Italic:
        chars.italic = on;
        break;
    case RtfCharacterWord::Underline:
        chars.underline = on;
        break;
    case RtfCharacterWord::UnderlineNone:
        chars.underline = 0;
        break;
    case RtfCharacterWord::Strike:
        chars.strike = on;
        break;
    case RtfCharacterWord::FontSize:
    case RtfCharacterWord::AssociatedFontSize:
        (setsComplexSize(chars.kind) ? chars.complexSize : chars.size) =
            parameter > 0 ? std::min(parameter, 3276) : 24;
        break;
    case RtfCharacterWord::AssociatedFont:
        setRunFont(chars, parameter);
        break;
    case RtfCharacterWord::LowAnsi:
        chars.kind = RunKind::LowAnsi;
        break;
    case RtfCharacterWord::HighAnsi:
        chars.kind = RunKind::HighAnsi;
        break;
    case RtfCharacterWord::DoubleByte:
        chars.kind = RunKind::DoubleByte;
        break;
    case RtfCharacterWord::LeftToRight:
        chars.kind =
            chars.kind == RunKind::RightToLeft ? RunKind::RightToLeftThenLeftToRight : RunKind::LeftToRight;
        break;
    case RtfCharacterWord::RightToLeft:
        chars.kind =
            chars.kind == RunKind::LeftToRight ? RunKind::LeftToRightThenRightToLeft : RunKind::RightToLeft;
        break;
    case RtfCharacterWord::Foreground:
        chars.foreground = parameter;
        break;
    case RtfCharacterWord::Background:
        chars.background = parameter;
        break;
    case RtfCharacterWord::Subscript:
        chars.script = RtfScriptPosition::Subscript;
        break;
    case RtfCharacterWord::Superscript:
        chars.script = RtfScriptPosition::Superscript;
        break;
    case RtfCharacterWord::NoSuperSub:
        chars.script = RtfScriptPosition::Normal;
        chars.up = 0;
        break;
    case RtfCharacterWord::Up:
        chars.up = std::clamp(hasParameter ? parameter : 6, -3276, 3276);
        break;
    case RtfCharacterWord::Down:
        chars.up = -std::clamp(hasParameter ? parameter : 6, -3276, 3276);
        break;
    case RtfCharacterWord::Hidden:
        chars.hidden = on;
        break;
    case RtfCharacterWord::Protect:
        chars.protect = on;
        break;
    case RtfCharacterWord::Language:
        chars.language = std::max(parameter, 0);
        break;
    case RtfCharacterWord::NoProof:
        chars.noProof = on;
        break;
    }
}

void applyParagraphWord(ParaState& para, RtfParagraphWord word, int parameter, bool hasParameter)
{
    const int twips = std::clamp(parameter, -MaxTwips, MaxTwips);
    switch (word) {
    case RtfParagraphWord::Pard: {
        const int drawing = para.drawing; // a text box's paragraphs stay in it
        para = ParaState();
        para.drawing = drawing;
        break;
    }
    case RtfParagraphWord::AlignLeft:
        para.alignment = PFA_LEFT;
        break;
    case RtfParagraphWord::AlignRight:
        para.alignment = PFA_RIGHT;
        break;
    case RtfParagraphWord::AlignCenter:
        para.alignment = PFA_CENTER;
        break;
    case RtfParagraphWord::AlignJustify:
        para.alignment = PFA_JUSTIFY;
        break;
    case RtfParagraphWord::FirstIndent:
        para.firstIndent = twips;
        break;
    case RtfParagraphWord::LeftIndent:
        para.leftIndent = twips;
        break;
    case RtfParagraphWord::RightIndent:
        para.rightIndent = twips;
        break;
    case RtfParagraphWord::SpaceBefore:
        para.spaceBefore = twips;
        break;
    case RtfParagraphWord::SpaceAfter:
        para.spaceAfter = twips;
        break;
    case RtfParagraphWord::LineSpacing:
        para.lineSpacing = twips;
        break;
    case RtfParagraphWord::LineMultiple:
        para.lineMultiple = !hasParameter || parameter != 0;
        break;
    case RtfParagraphWord::TabStop:
        if (para.tabs.size() < MaxTabStops)
            para.tabs.append(twips);
        break;
    case RtfParagraphWord::PageBreakBefore:
        para.pageBreakBefore = !hasParameter || parameter != 0;
        break;
    case RtfParagraphWord::InTable:
        para.inTable = true;
        break;
    case RtfParagraphWord::TableDepth:
        para.tableDepth = std::clamp(parameter, 0, 1000);
        para.inTable = para.tableDepth > 0;
        break;
    case RtfParagraphWord::ListLevelIndex:
        para.listLevel = std::clamp(parameter, 0, MaxListLevels - 1);
        break;
    }
}

} // namespace RtfFormatWords
