// The document's settings, the destinations, and the font and colour tables.

#include "rtf/RtfParser.h"

#include "rtf/RtfCodePage.h"
#include "rtf/RtfField.h"

#include <algorithm>

namespace {

constexpr int MaxListLevels = 9;
constexpr int SymbolCharset = 2;

} // namespace

void RtfParser::applyDocumentWord(RtfDocumentWord word, int parameter)
{
    switch (word) {
    case RtfDocumentWord::AnsiCodePage:
        if (parameter <= 0)
            return;
        m_decoding.ansiCodePage = parameter;
        break;
    case RtfDocumentWord::Mac:
        m_decoding.ansiCodePage = 10000;
        break;
    case RtfDocumentWord::Pc:
        m_decoding.ansiCodePage = 437;
        break;
    case RtfDocumentWord::Pca:
        m_decoding.ansiCodePage = 850;
        break;
    case RtfDocumentWord::DefaultFont:
        m_tables.defaultFont = parameter;
        break;
    case RtfDocumentWord::UnicodeSkip:
        top().unicodeSkip = std::clamp(parameter, 0, 16);
        return;
    }
    m_decoding.pageFont.reset();
}

// Returns false for a word that does not start a destination where it stands.
bool RtfParser::applyDestinationWord(RtfDestinationWord word)
{
    GroupState& state = top();
    // A text box read again holds text only: what else it has was kept with the object.
    if (m_replayedDrawing >= 0 &&
        (word == RtfDestinationWord::Picture || word == RtfDestinationWord::Object ||
         word == RtfDestinationWord::Shape || word == RtfDestinationWord::Footnote)) {
        state.destination = Destination::Skip;
        return true;
    }
    switch (word) {
    case RtfDestinationWord::FontTable:
        state.destination = Destination::FontTable;
        m_font = PendingFont();
        return true;
    case RtfDestinationWord::ColorTable:
        state.destination = m_colorTableRead ? Destination::Skip : Destination::ColorTable;
        m_tables.colors.clear();
        return true;
    case RtfDestinationWord::Skip:
        state.destination = Destination::Skip;
        return true;
    case RtfDestinationWord::Picture:
        startPicture();
        return true;
    case RtfDestinationWord::Object:
        startObject();
        return true;
    case RtfDestinationWord::Result:
        if (state.destination != Destination::Object)
            return false;
        state.destination = Destination::ObjectResult;
        return true;
    case RtfDestinationWord::Field:
        m_builder.flushRun();
        m_fields.push_back(Field{m_stack.size(), {}, m_builder.contentAdded()});
        return true;
    case RtfDestinationWord::FieldInstruction:
        state.destination = Destination::FieldInstruction;
        return true;
    case RtfDestinationWord::FieldResult: {
        if (m_fields.empty() || state.destination != Destination::Body)
            return true;
        const RtfField field = RtfField::parse(m_fields.back().instruction);
        if (const QString target = field.linkTarget(); !target.isEmpty()) {
            m_tables.linkTargets.append(target);
            state.chars.link = int(m_tables.linkTargets.size() - 1);
        }
        if (field.computesResult())
            state.chars.field = keepFieldInstruction(m_fields.back().instruction);
        return true;
    }
    case RtfDestinationWord::ListTable:
        state.destination = Destination::ListTable;
        return true;
    case RtfDestinationWord::List:
        if (state.destination != Destination::ListTable)
            return false;
        state.destination = Destination::List;
        m_list = PendingList();
        return true;
    case RtfDestinationWord::ListLevel:
        if (state.destination != Destination::List)
            return false;
        state.destination = Destination::ListLevel;
        if (m_list.levels.size() < MaxListLevels)
            m_list.levels.append(ListLevelDefinition{});
        return true;
    case RtfDestinationWord::LevelText:
        if (state.destination != Destination::ListLevel || m_reading->isCapturing()) {
            state.destination = Destination::Skip;
            return true;
        }
        state.destination = Destination::LevelText;
        m_reading->startCapture({});
        state.ownsCapture = true;
        return true;
    case RtfDestinationWord::ListOverrideTable:
        state.destination = Destination::ListOverrideTable;
        return true;
    case RtfDestinationWord::ListOverride:
        if (state.destination != Destination::ListOverrideTable)
            return false;
        state.destination = Destination::ListOverride;
        m_override = PendingOverride();
        return true;
    case RtfDestinationWord::Pn:
        state.destination = Destination::Pn;
        state.para.pn.numbering = PFN_ARABIC;
        state.para.pn.start = 1;
        state.para.pn.style.reset();
        return true;
    case RtfDestinationWord::PnTextAfter:
    case RtfDestinationWord::PnTextBefore:
        if (state.destination != Destination::Pn)
            return false;
        state.destination = Destination::PnText;
        m_pnText = PnText{{}, word == RtfDestinationWord::PnTextBefore};
        return true;
    case RtfDestinationWord::Shape:
        startShape();
        return true;
    case RtfDestinationWord::ShapeText:
        // A text box: its text is read into the text, and shows the shape.
        if (!m_shapes.empty())
            m_shapes.back().hasText = true;
        state.destination = Destination::Body;
        return true;
    case RtfDestinationWord::ShapeProperty:
        state.destination = Destination::ShapeProperty;
        m_propertyName.clear();
        return true;
    case RtfDestinationWord::PropertyName:
        if (state.destination != Destination::ShapeProperty)
            return false;
        state.destination = Destination::PropertyName;
        return true;
    case RtfDestinationWord::PropertyValue:
        if (state.destination != Destination::ShapeProperty)
            return false;
        state.destination = shapeValueDestination();
        return true;
    case RtfDestinationWord::ShapeResult:
        state.destination = shapeResultDestination();
        return true;
    case RtfDestinationWord::ShapePicture:
        m_picturesBeforeShapePicture = m_builder.picturesInserted();
        return true;
    case RtfDestinationWord::NonShapePicture:
        state.destination = nonShapePictureDestination();
        return true;
    case RtfDestinationWord::KeepContent:
        return true;
    case RtfDestinationWord::Footnote:
        startNote();
        return true;
    case RtfDestinationWord::Drawing:
        startDrawing();
        return true;
    case RtfDestinationWord::DrawingText:
        if (state.destination != Destination::Drawing)
            return false;
        startDrawingText();
        return true;
    }
    return false;
}

// Fonts.

void RtfParser::applyFontWord(RtfFontWord word, int parameter)
{
    if (top().destination != Destination::FontTable) {
        // In text, \f selects a font of the table, whose code page decodes the bytes that
        // follow.
        if (word == RtfFontWord::Font && isTextDestination()) {
            setRunFont(top().chars, parameter);
            top().chars.codePageFont = parameter;
        }
        return;
    }
    switch (word) {
    case RtfFontWord::Font:
        if (!m_font.bytes.trimmed().isEmpty() || !m_font.text.trimmed().isEmpty())
            commitFont();
        m_font = PendingFont();
        m_font.number = parameter;
        break;
    case RtfFontWord::Charset:
        m_font.charset = std::clamp(parameter, 0, 255);
        break;
    case RtfFontWord::CodePage:
        m_font.codePage = parameter > 0 ? parameter : -1;
        break;
    }
}

// The bytes of a font's name so far, in the font's code page, to its name's text.
void RtfParser::decodeFontName()
{
    const int fontCodePage =
        m_font.codePage > 0 ? m_font.codePage : RtfCodePage::codePageOfCharset(m_font.charset);
    const RtfCodePage& page =
        RtfCodePage::forCodePage(fontCodePage > 0 ? fontCodePage : m_decoding.ansiCodePage);
    const QByteArray& bytes = m_font.bytes;
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        const auto byte = static_cast<unsigned char>(bytes.at(index));
        if (page.isLeadByte(byte) && index + 1 < bytes.size()) {
            page.decodePair(byte, static_cast<unsigned char>(bytes.at(++index)), m_font.text);
            continue;
        }
        m_font.text += QChar(page.decode(byte));
    }
    m_font.bytes.clear();
}

void RtfParser::commitFont()
{
    decodeFontName();
    if (m_font.number >= 0 && !m_tables.fonts.contains(m_font.number)) {
        FontDefinition font;
        font.charset = m_font.charset;
        font.name = m_font.text.trimmed();
        if (m_font.charset == SymbolCharset)
            font.codePage = RtfCodePage::codePageOfSymbolFont(font.name);
        else
            font.codePage =
                m_font.codePage > 0 ? m_font.codePage : RtfCodePage::codePageOfCharset(m_font.charset);
        m_tables.fonts.insert(m_font.number, font);
    }
    m_font.text.clear();
    m_font.number = -1;
    m_decoding.pageFont.reset();
}

// Colours.

void RtfParser::applyColorWord(RtfColorWord word, int parameter)
{
    if (top().destination != Destination::ColorTable)
        return;
    const int value = std::clamp(parameter, 0, 255);
    switch (word) {
    case RtfColorWord::Red:
        m_color.red = value;
        break;
    case RtfColorWord::Green:
        m_color.green = value;
        break;
    case RtfColorWord::Blue:
        m_color.blue = value;
        break;
    }
}

// A ";" ends a colour; one without components is the automatic colour.
void RtfParser::commitColor()
{
    if (m_color.red < 0 && m_color.green < 0 && m_color.blue < 0)
        m_tables.colors.append(QColor());
    else
        m_tables.colors.append(
            QColor(std::max(m_color.red, 0), std::max(m_color.green, 0), std::max(m_color.blue, 0)));
    m_color = PendingColor();
}
