#include "rtf/RtfReader.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/RtfCodePage.h"
#include "rtf/RtfKeyword.h"
#include "rtf/RtfPicture.h"
#include "rtf/RtfTokenizer.h"

#include <QHash>
#include <QPainter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <vector>

using namespace TextFormatProperties;

namespace {

// Groups deeper than this do not get a state of their own; they are still counted.
constexpr std::size_t MaxDepth = 512;
constexpr int MaxTwips = 100000;
constexpr int MaxTabStops = 64;
constexpr int MaxListLevels = 9;
constexpr int MaxListItems = 1000;
// Word writes at most 63 columns; further cells of a row share the last one.
constexpr int MaxColumns = 64;
constexpr int MaxRowsAddedAtOnce = 256;

// The Windows numbering of a list level's \levelnfc; 0 for a level without a number.
int numberingOfLevelFormat(int format)
{
    switch (format) {
    case 1:
        return PFN_UCROMAN;
    case 2:
        return PFN_LCROMAN;
    case 3:
        return PFN_UCLETTER;
    case 4:
        return PFN_LCLETTER;
    case 23:
        return PFN_BULLET;
    case 255:
        return 0;
    default:
        return PFN_ARABIC;
    }
}

QTextListFormat::Style listStyleOf(int numbering)
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

QString uniqueResourceName(QStringView kind)
{
    static std::atomic<quint64> serial{0};
    return QStringLiteral("zorvan-%1-%2").arg(kind).arg(++serial);
}

// The target of a HYPERLINK field instruction, or empty for other fields.
QString hyperlinkTarget(const QString& instruction)
{
    const QString trimmed = instruction.trimmed();
    if (!trimmed.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    QString target;
    QString anchor;
    bool anchorNext = false;
    qsizetype index = 9;
    while (index < trimmed.size()) {
        while (index < trimmed.size() && trimmed.at(index).isSpace())
            ++index;
        if (index >= trimmed.size())
            break;
        QString argument;
        bool isSwitch = false;
        if (trimmed.at(index) == u'"') {
            const qsizetype end = trimmed.indexOf(u'"', index + 1);
            argument = trimmed.mid(index + 1, end < 0 ? -1 : end - index - 1);
            index = end < 0 ? trimmed.size() : end + 1;
        } else {
            qsizetype end = index;
            while (end < trimmed.size() && !trimmed.at(end).isSpace())
                ++end;
            argument = trimmed.mid(index, end - index);
            isSwitch = argument.startsWith(u'\\');
            index = end;
        }
        if (isSwitch) {
            anchorNext = argument == QLatin1String("\\l");
            continue;
        }
        if (anchorNext)
            anchor = argument;
        else if (target.isEmpty())
            target = argument;
        anchorNext = false;
    }
    if (!anchor.isEmpty())
        target += u'#' + anchor;
    return target;
}

struct CharState
{
    int font = -1; // -1: the document's default font
    int size = 24; // half points
    int foreground = -1;
    int background = -1;
    int up = 0; // half points, positive raises
    int link = -1;
    quint8 bold = 0;
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strike = 0;
    quint8 script = 0; // 1 subscript, 2 superscript
    quint8 hidden = 0;
    quint8 protect = 0;
    friend bool operator==(const CharState&, const CharState&) = default;
};

size_t qHash(const CharState& state, size_t seed = 0)
{
    return qHashMulti(seed, state.font, state.size, state.foreground, state.background, state.up, state.link,
                      state.bold | state.italic << 1 | state.underline << 2 | state.strike << 3 |
                          state.script << 4 | state.hidden << 6 | state.protect << 7);
}

struct ParaState
{
    int alignment = 1;
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
    int pnNumbering = 0;
    int pnStart = 1;
    int pnStyle = -1;
    int pnLevel = 0;
    int pnIndent = 0;
    QList<int> tabs;
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
    ListOverrideTable,
    ListOverride,
    Pn,
    PnText,
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
};

struct Field
{
    std::size_t depth = 0;
    QString instruction;
};

struct Numbering
{
    int numbering = 0;
    int start = 1;
    int style = 0;
    int level = 0;
    qint64 key = 0;
};

} // namespace

class RtfReader::Impl final : public RtfTokenizer::Handler
{
public:
    explicit Impl(QTextCursor cursor) : m_cursor(std::move(cursor)), m_document(m_cursor.document()) {}

    bool feed(const char* data, qsizetype size);
    bool finish();
    void abandon();

    QString m_error;
    QTextCursor m_cursor;

private:
    enum class Detection { Undecided, Rtf, NotRtf };

    bool detect(const char* data, qsizetype size, qsizetype& consumed);
    void begin();

    // RtfTokenizer::Handler
    void groupOpen() override;
    void groupClose() override;
    void controlWord(std::string_view word, bool hasParameter, int parameter) override;
    void controlSymbol(char symbol) override;
    void hexByte(unsigned char byte) override;
    void text(const char* data, qsizetype size) override;
    void binary(const char* data, qsizetype size) override;

    GroupState& top() { return m_stack.back(); }
    bool applyDocumentWord(RtfKeyword keyword, int parameter, bool hasParameter);
    bool applyDestinationWord(RtfKeyword keyword);
    void applyCharacterWord(RtfKeyword keyword, int parameter, bool hasParameter);
    void applyParagraphWord(RtfKeyword keyword, int parameter, bool hasParameter);
    void applyContentWord(RtfKeyword keyword);
    void applyTableDefinitionWord(RtfKeyword keyword, int parameter);
    void applyFontTableWord(RtfKeyword keyword, int parameter);
    void applyPictureWord(RtfKeyword keyword, int parameter);
    void applyListWord(RtfKeyword keyword, int parameter, bool hasParameter);
    void closeDestination(const GroupState& closed, const QByteArray& captured);

    // Text.
    const RtfCodePage& codePage();
    void decodeByte(unsigned char byte);
    void emitCharacter(char16_t character);
    void appendCharacter(char16_t character);
    void appendLatin1(const char* data, qsizetype size);
    void startRun();
    void flushRun();
    QTextCharFormat charFormat(const CharState& state);

    // Structure.
    void beginContent();
    void openPendingParagraph();
    enum class ParagraphEnd { Break, PageBreak };
    void endParagraph(ParagraphEnd end);
    void endText();
    void applyParagraphFormat();
    Numbering numbering(const ParaState& para) const;
    QTextBlockFormat blockFormat(const ParaState& para, const Numbering& numbering) const;
    void startTable();
    void leaveTable();
    void endCell();
    void endRow();

    // Pictures and objects.
    void finishPicture(const QByteArray& captured);
    void finishObject(const QByteArray& captured);
    void insertPicture(const QImage& image, QSizeF size, const QString& keptKind, const QByteArray& data,
                       const QByteArray& rtf);
    QString placeholderName();

    // Fonts.
    void decodeFontName();
    void commitFont();

    RtfTokenizer m_tokenizer{*this};
    QTextDocument* m_document;
    Detection m_detection = Detection::Undecided;
    QByteArray m_head;
    bool m_finished = false;
    bool m_documentClosed = false;
    bool m_truncated = false;

    std::vector<GroupState> m_stack{GroupState{}};
    std::size_t m_overflowDepth = 0;
    int m_skipCount = 0;
    int m_footnotes = 0; // footnote reference marks numbered so far
    bool m_skipBinary = false;
    bool m_starred = false;

    // Document settings and tables.
    int m_ansiCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, FontDefinition> m_fonts;
    int m_fontNumber = -1;
    int m_fontCharset = 1;
    int m_fontCodePage = -1;
    QByteArray m_fontName;  // bytes of the name not yet decoded
    QString m_fontNameText; // the name decoded so far
    QList<QColor> m_colors;
    bool m_colorTableRead = false;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
    const RtfCodePage* m_codePage = nullptr;
    int m_codePageFont = -2;
    int m_leadByte = -1;
    std::unique_ptr<QStringDecoder> m_utf8;

    // Lists.
    QHash<int, QList<ListLevelDefinition>> m_listDefinitions;
    QHash<int, int> m_listOverrides;
    QList<ListLevelDefinition> m_pendingListLevels;
    int m_pendingListId = 0;
    int m_pendingOverrideList = 0;
    int m_pendingOverrideIndex = 0;
    QString m_pnText;
    bool m_pnTextBefore = false;
    struct ListRun
    {
        QTextList* list = nullptr;
        int itemsBefore = 0; // items of the same list read into earlier QTextLists
    };
    QHash<qint64, ListRun> m_lists;

    // Fields.
    std::vector<Field> m_fields;
    QStringList m_linkTargets;

    // Text being gathered and where it goes.
    QString m_run;
    CharState m_runState;
    QHash<CharState, QTextCharFormat> m_formats;
    bool m_pendingBreak = false;
    bool m_pageBreakNext = false;
    bool m_paragraphHasContent = false;

    // Tables.
    QTextTable* m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    bool m_cellEnded = false;
    bool m_rowEnded = false;
    QList<int> m_cellBoundaries;

    // Pictures and objects.
    RtfPicture m_picture;
    bool m_pictureForObject = false;
    QImage m_objectImage;
    QSizeF m_objectImageSize;
    int m_objectWidth = 0;
    int m_objectHeight = 0;
    QString m_placeholder;
};

bool RtfReader::Impl::detect(const char* data, qsizetype size, qsizetype& consumed)
{
    static constexpr char Signature[] = "{\\rtf";
    static constexpr qsizetype SignatureLength = sizeof(Signature) - 1;
    consumed = 0;
    while (consumed < size && m_head.size() < SignatureLength) {
        const char c = data[consumed];
        if (m_head.isEmpty() && (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0')) {
            ++consumed;
            continue;
        }
        m_head.append(c);
        ++consumed;
        if (Signature[m_head.size() - 1] != c) {
            m_detection = Detection::NotRtf;
            m_error = QStringLiteral("The data is not RTF: it does not begin with {\\rtf.");
            return false;
        }
    }
    if (m_head.size() == SignatureLength) {
        m_detection = Detection::Rtf;
        begin();
        m_tokenizer.feed(m_head.constData(), m_head.size());
    }
    return true;
}

void RtfReader::Impl::begin()
{
    m_cursor.beginEditBlock();
    if (m_cursor.hasSelection())
        m_cursor.removeSelectedText();
}

bool RtfReader::Impl::feed(const char* data, qsizetype size)
{
    if (m_detection == Detection::NotRtf || m_finished)
        return m_detection != Detection::NotRtf;
    if (m_detection == Detection::Undecided) {
        qsizetype consumed = 0;
        if (!detect(data, size, consumed))
            return false;
        data += consumed;
        size -= consumed;
    }
    if (m_detection == Detection::Rtf && size > 0)
        m_tokenizer.feed(data, size);
    return true;
}

bool RtfReader::Impl::finish()
{
    if (m_finished)
        return m_detection == Detection::Rtf;
    m_finished = true;
    if (m_detection != Detection::Rtf) {
        if (m_detection == Detection::Undecided)
            m_error = QStringLiteral("The data is not RTF: it is empty or shorter than {\\rtf.");
        m_detection = Detection::NotRtf;
        return false;
    }
    m_tokenizer.finish();
    // A truncated file leaves groups open: close them so that fields and tables end. A
    // picture or object cut off is dropped: its kept text would not be valid RTF.
    m_truncated = m_stack.size() > 1;
    m_overflowDepth = 0;
    while (m_stack.size() > 1 && !m_documentClosed)
        groupClose();
    // The last \par of the file is the document's own final paragraph mark.
    if (m_pendingBreak && !m_cursor.atEnd())
        openPendingParagraph();
    m_cursor.endEditBlock();
    return true;
}

void RtfReader::Impl::abandon()
{
    if (!m_finished && m_detection == Detection::Rtf)
        finish();
}

void RtfReader::Impl::groupOpen()
{
    m_skipCount = 0;
    m_starred = false;
    if (m_documentClosed)
        return;
    if (m_stack.size() >= MaxDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
    m_stack.back().ownsCapture = false; // the capture ends with the group that started it
}

void RtfReader::Impl::groupClose()
{
    m_skipCount = 0;
    m_starred = false;
    if (m_documentClosed)
        return;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1)
        return; // an extra closing brace
    if (m_stack.size() == 2)
        endText();
    GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (!(closed.chars == top().chars))
        m_leadByte = -1;
    const QByteArray captured = closed.ownsCapture ? m_tokenizer.takeCapture() : QByteArray();
    closeDestination(closed, captured);
    while (!m_fields.empty() && m_fields.back().depth > m_stack.size())
        m_fields.pop_back();
    if (m_stack.size() == 1)
        m_documentClosed = true; // text after the document's closing brace is not part of it
}

void RtfReader::Impl::closeDestination(const GroupState& closed, const QByteArray& captured)
{
    const Destination parent = top().destination;
    if (closed.destination == Destination::FontTable) {
        commitFont();
        return;
    }
    if (closed.destination == parent)
        return;
    switch (closed.destination) {
    case Destination::Picture:
        finishPicture(captured);
        break;
    case Destination::Object:
        finishObject(captured);
        break;
    case Destination::List:
        if (m_pendingListId != 0)
            m_listDefinitions.insert(m_pendingListId, m_pendingListLevels);
        m_pendingListLevels.clear();
        m_pendingListId = 0;
        break;
    case Destination::ListOverride:
        if (m_pendingOverrideIndex != 0)
            m_listOverrides.insert(m_pendingOverrideIndex, m_pendingOverrideList);
        break;
    case Destination::Pn: {
        ParaState& para = top().para;
        para.pnNumbering = closed.para.pnNumbering;
        para.pnStart = closed.para.pnStart;
        para.pnStyle = closed.para.pnStyle;
        para.pnLevel = closed.para.pnLevel;
        para.pnIndent = closed.para.pnIndent;
        break;
    }
    case Destination::PnText:
        if (m_pnTextBefore && m_pnText.contains(u'('))
            top().para.pnStyle = 0x100;
        else if (!m_pnTextBefore && m_pnText.contains(u'.'))
            top().para.pnStyle = 0x200;
        else if (!m_pnTextBefore && m_pnText.contains(u')') && top().para.pnStyle != 0x100)
            top().para.pnStyle = 0;
        break;
    case Destination::ColorTable:
        m_colorTableRead = true;
        break;
    default:
        break;
    }
}

void RtfReader::Impl::controlSymbol(char symbol)
{
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    if (m_documentClosed)
        return;
    if (symbol == '*') {
        m_starred = true;
        return;
    }
    m_starred = false;
    char16_t character = 0;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        character = char16_t(symbol);
        break;
    case '~':
        character = 0x00A0;
        break;
    case '-':
        character = 0x00AD;
        break;
    case '_':
        character = 0x2011;
        break;
    case '\t':
        character = u'\t';
        break;
    default:
        return;
    }
    emitCharacter(character);
}

void RtfReader::Impl::hexByte(unsigned char byte)
{
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    m_starred = false;
    if (m_documentClosed)
        return;
    switch (top().destination) {
    case Destination::FontTable:
        m_fontName.append(char(byte));
        break;
    case Destination::Body:
    case Destination::FieldInstruction:
    case Destination::PnText:
        decodeByte(byte);
        break;
    default:
        break;
    }
}

void RtfReader::Impl::text(const char* data, qsizetype size)
{
    m_starred = false;
    if (m_skipCount > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_skipCount, size);
        m_skipCount -= int(skipped);
        data += skipped;
        size -= skipped;
        if (size == 0)
            return;
    }
    if (m_documentClosed)
        return;
    switch (top().destination) {
    case Destination::Body: {
        qsizetype index = 0;
        while (index < size) {
            qsizetype end = index;
            while (end < size && ((data[end] >= 0x20 && data[end] < 0x7F) || data[end] == '\t'))
                ++end;
            if (end > index) {
                m_leadByte = -1;
                appendLatin1(data + index, end - index);
                index = end;
                continue;
            }
            if (data[index] != '\0')
                decodeByte(static_cast<unsigned char>(data[index]));
            ++index;
        }
        break;
    }
    case Destination::FieldInstruction:
    case Destination::PnText:
        for (qsizetype index = 0; index < size; ++index)
            decodeByte(static_cast<unsigned char>(data[index]));
        break;
    case Destination::FontTable:
        for (qsizetype index = 0; index < size; ++index) {
            if (data[index] == ';')
                commitFont();
            else
                m_fontName.append(data[index]);
        }
        break;
    case Destination::ColorTable:
        for (qsizetype index = 0; index < size; ++index) {
            if (data[index] != ';')
                continue;
            if (m_red < 0 && m_green < 0 && m_blue < 0)
                m_colors.append(QColor());
            else
                m_colors.append(QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
            m_red = m_green = m_blue = -1;
        }
        break;
    case Destination::Picture:
        m_picture.appendHex(data, size);
        break;
    default:
        break;
    }
}

void RtfReader::Impl::binary(const char* data, qsizetype size)
{
    if (m_skipBinary || m_documentClosed)
        return;
    if (top().destination == Destination::Picture)
        m_picture.data.append(data, size);
}

void RtfReader::Impl::controlWord(std::string_view word, bool hasParameter, int parameter)
{
    const RtfKeyword keyword = rtfKeyword(word);
    if (m_skipCount > 0) {
        --m_skipCount;
        if (keyword == RtfKeyword::Binary) {
            m_skipBinary = true;
            m_tokenizer.startBinary(parameter);
        }
        return;
    }
    const bool starred = std::exchange(m_starred, false);
    if (keyword == RtfKeyword::Binary) {
        m_skipBinary = top().destination != Destination::Picture;
        m_tokenizer.startBinary(hasParameter ? parameter : 0);
        return;
    }
    if (m_documentClosed)
        return;
    const Destination destination = top().destination;
    if (destination == Destination::Skip)
        return;
    if (m_overflowDepth > 0 && !producesContent(keyword))
        return;
    if (starred && keyword != RtfKeyword::Unknown && applyDestinationWord(keyword))
        return;
    if (starred) {
        top().destination = Destination::Skip; // an ignorable destination we do not know
        return;
    }
    if (applyDestinationWord(keyword))
        return;
    if (applyDocumentWord(keyword, parameter, hasParameter))
        return;
    switch (destination) {
    case Destination::FontTable:
        applyFontTableWord(keyword, parameter);
        return;
    case Destination::ColorTable:
        if (keyword == RtfKeyword::Red)
            m_red = std::clamp(parameter, 0, 255);
        else if (keyword == RtfKeyword::Green)
            m_green = std::clamp(parameter, 0, 255);
        else if (keyword == RtfKeyword::Blue)
            m_blue = std::clamp(parameter, 0, 255);
        return;
    case Destination::Picture:
        applyPictureWord(keyword, parameter);
        return;
    case Destination::Object:
    case Destination::ObjectResult:
        if (keyword == RtfKeyword::ObjectWidth)
            m_objectWidth = std::clamp(parameter, 0, MaxTwips);
        else if (keyword == RtfKeyword::ObjectHeight)
            m_objectHeight = std::clamp(parameter, 0, MaxTwips);
        return;
    case Destination::ListTable:
    case Destination::List:
    case Destination::ListLevel:
    case Destination::ListOverrideTable:
    case Destination::ListOverride:
    case Destination::Pn:
        applyListWord(keyword, parameter, hasParameter);
        return;
    case Destination::Body:
    case Destination::FieldInstruction:
    case Destination::PnText:
    case Destination::Skip:
        break;
    }
    applyCharacterWord(keyword, parameter, hasParameter);
    applyParagraphWord(keyword, parameter, hasParameter);
    applyTableDefinitionWord(keyword, parameter);
    if (destination == Destination::Body)
        applyContentWord(keyword);
}

bool RtfReader::Impl::applyDocumentWord(RtfKeyword keyword, int parameter, bool hasParameter)
{
    switch (keyword) {
    case RtfKeyword::AnsiCodePage:
        if (parameter > 0) {
            m_ansiCodePage = parameter;
            m_codePageFont = -2;
        }
        return true;
    case RtfKeyword::Mac:
        m_ansiCodePage = 10000;
        m_codePageFont = -2;
        return true;
    case RtfKeyword::Pc:
        m_ansiCodePage = 437;
        m_codePageFont = -2;
        return true;
    case RtfKeyword::Pca:
        m_ansiCodePage = 850;
        m_codePageFont = -2;
        return true;
    case RtfKeyword::DefaultFont:
        m_defaultFont = parameter;
        m_codePageFont = -2;
        return true;
    case RtfKeyword::UnicodeSkip:
        top().unicodeSkip = std::clamp(parameter, 0, 16);
        return true;
    case RtfKeyword::Unicode: {
        if (!hasParameter)
            return true;
        int value = parameter;
        if (value < 0)
            value += 65536;
        m_leadByte = -1;
        if (value > 0 && value <= 0xFFFF) {
            emitCharacter(char16_t(value));
        } else if (value > 0xFFFF && value <= 0x10FFFF) {
            emitCharacter(QChar::highSurrogate(char32_t(value)));
            emitCharacter(QChar::lowSurrogate(char32_t(value)));
        }
        m_skipCount = top().unicodeSkip;
        return true;
    }
    default:
        return false;
    }
}

bool RtfReader::Impl::applyDestinationWord(RtfKeyword keyword)
{
    GroupState& state = top();
    switch (keyword) {
    case RtfKeyword::FontTable:
        state.destination = Destination::FontTable;
        m_fontName.clear();
        m_fontNameText.clear();
        m_fontNumber = -1;
        return true;
    case RtfKeyword::ColorTable:
        state.destination = m_colorTableRead ? Destination::Skip : Destination::ColorTable;
        m_colors.clear();
        return true;
    case RtfKeyword::SkipDestination:
        state.destination = Destination::Skip;
        return true;
    case RtfKeyword::Picture:
        m_pictureForObject = state.destination == Destination::ObjectResult;
        state.destination = Destination::Picture;
        m_picture = RtfPicture();
        if (!m_tokenizer.isCapturing()) {
            m_tokenizer.startCapture("{\\pict ");
            state.ownsCapture = true;
        }
        return true;
    case RtfKeyword::Object:
        flushRun();
        state.destination = Destination::Object;
        m_objectImage = QImage();
        m_objectImageSize = QSizeF();
        m_objectWidth = m_objectHeight = 0;
        if (!m_tokenizer.isCapturing()) {
            m_tokenizer.startCapture("{\\object ");
            state.ownsCapture = true;
        }
        return true;
    case RtfKeyword::Result:
        if (state.destination != Destination::Object)
            return false;
        state.destination = Destination::ObjectResult;
        return true;
    case RtfKeyword::Field:
        flushRun();
        m_fields.push_back(Field{m_stack.size(), {}});
        return true;
    case RtfKeyword::FieldInstruction:
        state.destination = Destination::FieldInstruction;
        return true;
    case RtfKeyword::FieldResult: {
        if (m_fields.empty() || state.destination != Destination::Body)
            return true;
        const QString target = hyperlinkTarget(m_fields.back().instruction);
        if (!target.isEmpty()) {
            m_linkTargets.append(target);
            state.chars.link = int(m_linkTargets.size() - 1);
        }
        return true;
    }
    case RtfKeyword::ListTable:
        state.destination = Destination::ListTable;
        return true;
    case RtfKeyword::List:
        if (state.destination != Destination::ListTable)
            return false;
        state.destination = Destination::List;
        m_pendingListLevels.clear();
        m_pendingListId = 0;
        return true;
    case RtfKeyword::ListLevel:
        if (state.destination != Destination::List)
            return false;
        state.destination = Destination::ListLevel;
        if (m_pendingListLevels.size() < MaxListLevels)
            m_pendingListLevels.append(ListLevelDefinition{});
        return true;
    case RtfKeyword::ListOverrideTable:
        state.destination = Destination::ListOverrideTable;
        return true;
    case RtfKeyword::ListOverride:
        if (state.destination != Destination::ListOverrideTable)
            return false;
        state.destination = Destination::ListOverride;
        m_pendingOverrideList = 0;
        m_pendingOverrideIndex = 0;
        return true;
    case RtfKeyword::Pn:
        state.destination = Destination::Pn;
        state.para.pnNumbering = PFN_ARABIC;
        state.para.pnStart = 1;
        state.para.pnStyle = -1;
        return true;
    case RtfKeyword::PnTextAfter:
    case RtfKeyword::PnTextBefore:
        if (state.destination != Destination::Pn)
            return false;
        state.destination = Destination::PnText;
        m_pnText.clear();
        m_pnTextBefore = keyword == RtfKeyword::PnTextBefore;
        return true;
    case RtfKeyword::ShapePicture:
    case RtfKeyword::KeepContent:
        return true;
    default:
        return false;
    }
}

void RtfReader::Impl::applyFontTableWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case RtfKeyword::Font:
        if (!m_fontName.trimmed().isEmpty() || !m_fontNameText.trimmed().isEmpty())
            commitFont();
        m_fontNumber = parameter;
        m_fontCharset = 1;
        m_fontCodePage = -1;
        m_fontName.clear();
        m_fontNameText.clear();
        break;
    case RtfKeyword::FontCharset:
        m_fontCharset = std::clamp(parameter, 0, 255);
        break;
    case RtfKeyword::FontCodePage:
        m_fontCodePage = parameter > 0 ? parameter : -1;
        break;
    default:
        break;
    }
}

// The bytes of a font's name so far, in the font's code page, to its name's text.
void RtfReader::Impl::decodeFontName()
{
    const int fontCodePage =
        m_fontCodePage > 0 ? m_fontCodePage : RtfCodePage::codePageOfCharset(m_fontCharset);
    const RtfCodePage& page = RtfCodePage::forCodePage(fontCodePage > 0 ? fontCodePage : m_ansiCodePage);
    for (qsizetype index = 0; index < m_fontName.size(); ++index) {
        const auto byte = static_cast<unsigned char>(m_fontName.at(index));
        if (page.isLeadByte(byte) && index + 1 < m_fontName.size()) {
            page.decodePair(byte, static_cast<unsigned char>(m_fontName.at(++index)), m_fontNameText);
            continue;
        }
        m_fontNameText += QChar(page.decode(byte));
    }
    m_fontName.clear();
}

void RtfReader::Impl::commitFont()
{
    decodeFontName();
    if (m_fontNumber >= 0 && !m_fonts.contains(m_fontNumber)) {
        FontDefinition font;
        font.charset = m_fontCharset;
        font.codePage = m_fontCodePage > 0 ? m_fontCodePage : RtfCodePage::codePageOfCharset(m_fontCharset);
        font.name = m_fontNameText.trimmed();
        m_fonts.insert(m_fontNumber, font);
    }
    m_fontNameText.clear();
    m_fontNumber = -1;
    m_codePageFont = -2;
}

void RtfReader::Impl::applyCharacterWord(RtfKeyword keyword, int parameter, bool hasParameter)
{
    CharState& chars = top().chars;
    const quint8 on = !hasParameter || parameter != 0;
    switch (keyword) {
    case RtfKeyword::Plain: {
        const int link = chars.link;
        chars = CharState();
        chars.link = link; // a link's text keeps its target through \plain
        break;
    }
    case RtfKeyword::Font:
        chars.font = parameter;
        break;
    case RtfKeyword::Bold:
        chars.bold = on;
        break;
    case RtfKeyword::Italic:
        chars.italic = on;
        break;
    case RtfKeyword::Underline:
        chars.underline = on;
        break;
    case RtfKeyword::UnderlineNone:
        chars.underline = 0;
        break;
    case RtfKeyword::Strike:
        chars.strike = on;
        break;
    case RtfKeyword::FontSize:
        chars.size = parameter > 0 ? std::min(parameter, 3276) : 24;
        break;
    case RtfKeyword::Foreground:
        chars.foreground = parameter;
        break;
    case RtfKeyword::Background:
    case RtfKeyword::Highlight:
        chars.background = parameter;
        break;
    case RtfKeyword::Subscript:
        chars.script = 1;
        break;
    case RtfKeyword::Superscript:
        chars.script = 2;
        break;
    case RtfKeyword::NoSuperSub:
        chars.script = 0;
        chars.up = 0;
        break;
    case RtfKeyword::Up:
        chars.up = std::clamp(hasParameter ? parameter : 6, -3276, 3276);
        break;
    case RtfKeyword::Down:
        chars.up = -std::clamp(hasParameter ? parameter : 6, -3276, 3276);
        break;
    case RtfKeyword::Hidden:
        chars.hidden = on;
        break;
    case RtfKeyword::Protect:
        chars.protect = on;
        break;
    default:
        break;
    }
}

void RtfReader::Impl::applyParagraphWord(RtfKeyword keyword, int parameter, bool hasParameter)
{
    ParaState& para = top().para;
    const int twips = std::clamp(parameter, -MaxTwips, MaxTwips);
    switch (keyword) {
    case RtfKeyword::Pard:
        para = ParaState();
        break;
    case RtfKeyword::AlignLeft:
        para.alignment = PFA_LEFT;
        break;
    case RtfKeyword::AlignRight:
        para.alignment = PFA_RIGHT;
        break;
    case RtfKeyword::AlignCenter:
        para.alignment = PFA_CENTER;
        break;
    case RtfKeyword::AlignJustify:
        para.alignment = PFA_JUSTIFY;
        break;
    case RtfKeyword::FirstIndent:
        para.firstIndent = twips;
        break;
    case RtfKeyword::LeftIndent:
        para.leftIndent = twips;
        break;
    case RtfKeyword::RightIndent:
        para.rightIndent = twips;
        break;
    case RtfKeyword::SpaceBefore:
        para.spaceBefore = twips;
        break;
    case RtfKeyword::SpaceAfter:
        para.spaceAfter = twips;
        break;
    case RtfKeyword::LineSpacing:
        para.lineSpacing = twips;
        break;
    case RtfKeyword::LineMultiple:
        para.lineMultiple = !hasParameter || parameter != 0;
        break;
    case RtfKeyword::TabStop:
        if (para.tabs.size() < MaxTabStops)
            para.tabs.append(twips);
        break;
    case RtfKeyword::PageBreakBefore:
        para.pageBreakBefore = !hasParameter || parameter != 0;
        break;
    case RtfKeyword::InTable:
        para.inTable = true;
        break;
    case RtfKeyword::TableDepth:
        para.tableDepth = std::clamp(parameter, 0, 1000);
        para.inTable = para.tableDepth > 0;
        break;
    case RtfKeyword::ListOverrideIndex:
        para.listOverride = parameter;
        break;
    case RtfKeyword::ListLevelIndex:
        para.listLevel = std::clamp(parameter, 0, MaxListLevels - 1);
        break;
    default:
        break;
    }
}

void RtfReader::Impl::applyTableDefinitionWord(RtfKeyword keyword, int parameter)
{
    if (keyword == RtfKeyword::RowDefaults) {
        m_cellBoundaries.clear();
        return;
    }
    if (keyword == RtfKeyword::CellBoundary && m_cellBoundaries.size() < 64)
        m_cellBoundaries.append(std::clamp(parameter, -MaxTwips, MaxTwips));
}

void RtfReader::Impl::applyContentWord(RtfKeyword keyword)
{
    switch (keyword) {
    case RtfKeyword::Par:
        endParagraph(ParagraphEnd::Break);
        return;
    case RtfKeyword::Page:
        endParagraph(ParagraphEnd::PageBreak);
        return;
    case RtfKeyword::Line:
        appendCharacter(QChar::LineSeparator);
        return;
    case RtfKeyword::Tab:
    case RtfKeyword::NestedCell:
        appendCharacter(u'\t');
        return;
    case RtfKeyword::NestedRow:
        endParagraph(ParagraphEnd::Break);
        return;
    case RtfKeyword::Cell:
        endCell();
        return;
    case RtfKeyword::Row:
        endRow();
        return;
    default:
        break;
    }
    if (keyword == RtfKeyword::FootnoteNumber) {
        // The footnotes themselves are not kept; their reference marks are
        // numbered in order, as word processors show them.
        for (QChar digit : QString::number(++m_footnotes))
            appendCharacter(digit.unicode());
        return;
    }
    if (const char16_t character = specialCharacter(keyword))
        appendCharacter(character);
}

void RtfReader::Impl::applyPictureWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case RtfKeyword::PngBlip:
        m_picture.kind = RtfPicture::Kind::Png;
        break;
    case RtfKeyword::JpegBlip:
        m_picture.kind = RtfPicture::Kind::Jpeg;
        break;
    case RtfKeyword::DeviceIndependentBitmap:
        m_picture.kind = RtfPicture::Kind::Dib;
        break;
    case RtfKeyword::WindowsBitmap:
        m_picture.kind = RtfPicture::Kind::Bitmap;
        break;
    case RtfKeyword::WindowsMetafile:
        m_picture.kind = RtfPicture::Kind::WindowsMetafile;
        break;
    case RtfKeyword::EnhancedMetafile:
        m_picture.kind = RtfPicture::Kind::EnhancedMetafile;
        break;
    case RtfKeyword::OtherPicture:
        m_picture.kind = RtfPicture::Kind::Other;
        break;
    case RtfKeyword::PictureWidth:
        m_picture.width = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfKeyword::PictureHeight:
        m_picture.height = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfKeyword::PictureGoalWidth:
        m_picture.goalWidth = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfKeyword::PictureGoalHeight:
        m_picture.goalHeight = std::clamp(parameter, 0, MaxTwips);
        break;
    case RtfKeyword::PictureScaleX:
        m_picture.scaleX = std::clamp(parameter, 1, 10000);
        break;
    case RtfKeyword::PictureScaleY:
        m_picture.scaleY = std::clamp(parameter, 1, 10000);
        break;
    case RtfKeyword::BitmapBitsPerPixel:
        m_picture.bitsPerPixel = std::clamp(parameter, 1, 32);
        break;
    case RtfKeyword::BitmapBytesPerLine:
        m_picture.bytesPerLine = std::clamp(parameter, 0, MaxTwips);
        break;
    default:
        break;
    }
}

void RtfReader::Impl::applyListWord(RtfKeyword keyword, int parameter, bool hasParameter)
{
    const Destination destination = top().destination;
    ParaState& para = top().para;
    switch (keyword) {
    case RtfKeyword::ListId:
        if (destination == Destination::List)
            m_pendingListId = parameter;
        else if (destination == Destination::ListOverride)
            m_pendingOverrideList = parameter;
        break;
    case RtfKeyword::ListOverrideIndex:
        if (destination == Destination::ListOverride)
            m_pendingOverrideIndex = parameter;
        break;
    case RtfKeyword::LevelNumberFormat:
        if (destination == Destination::ListLevel && !m_pendingListLevels.isEmpty())
            m_pendingListLevels.last().numbering = numberingOfLevelFormat(parameter);
        break;
    case RtfKeyword::LevelStartAt:
        if (destination == Destination::ListLevel && !m_pendingListLevels.isEmpty())
            m_pendingListLevels.last().start = std::clamp(parameter, 0, 65535);
        break;
    case RtfKeyword::PnBullet:
        para.pnNumbering = PFN_BULLET;
        break;
    case RtfKeyword::PnBody:
    case RtfKeyword::PnLevel:
        if (para.pnNumbering == PFN_BULLET)
            para.pnNumbering = PFN_ARABIC;
        para.pnLevel = keyword == RtfKeyword::PnLevel ? std::clamp(parameter, 0, MaxListLevels) : 0;
        break;
    case RtfKeyword::PnDecimal:
        para.pnNumbering = PFN_ARABIC;
        break;
    case RtfKeyword::PnLowerLetter:
        para.pnNumbering = PFN_LCLETTER;
        break;
    case RtfKeyword::PnUpperLetter:
        para.pnNumbering = PFN_UCLETTER;
        break;
    case RtfKeyword::PnLowerRoman:
        para.pnNumbering = PFN_LCROMAN;
        break;
    case RtfKeyword::PnUpperRoman:
        para.pnNumbering = PFN_UCROMAN;
        break;
    case RtfKeyword::PnStart:
        para.pnStart = std::clamp(hasParameter ? parameter : 1, 0, 65535);
        break;
    case RtfKeyword::PnIndent:
        para.pnIndent = std::clamp(parameter, -MaxTwips, MaxTwips);
        break;
    default:
        break;
    }
}

// Text.

const RtfCodePage& RtfReader::Impl::codePage()
{
    const int font = top().chars.font >= 0 ? top().chars.font : m_defaultFont;
    if (m_codePage && m_codePageFont == font)
        return *m_codePage;
    int page = m_ansiCodePage;
    if (const auto found = m_fonts.constFind(font); found != m_fonts.cend() && found->codePage > 0)
        page = found->codePage;
    m_codePage = &RtfCodePage::forCodePage(page);
    m_codePageFont = font;
    return *m_codePage;
}

void RtfReader::Impl::decodeByte(unsigned char byte)
{
    const RtfCodePage& page = codePage();
    if (page.codePage() != 65001 && m_leadByte < 0 && !page.isLeadByte(byte)) {
        emitCharacter(page.decode(byte));
        return;
    }
    QString decoded;
    if (page.codePage() == 65001) {
        if (!m_utf8)
            m_utf8 = std::make_unique<QStringDecoder>(QStringDecoder::Utf8);
        const char single = char(byte);
        decoded = m_utf8->decode(QByteArrayView(&single, 1));
    } else if (m_leadByte >= 0) {
        page.decodePair(static_cast<unsigned char>(m_leadByte), byte, decoded);
        m_leadByte = -1;
    } else {
        m_leadByte = byte;
        return;
    }
    for (QChar character : std::as_const(decoded))
        emitCharacter(character.unicode());
}

// A character of text, to where the current destination keeps text.
void RtfReader::Impl::emitCharacter(char16_t character)
{
    switch (top().destination) {
    case Destination::Body:
        appendCharacter(character);
        break;
    case Destination::FieldInstruction:
        if (!m_fields.empty())
            m_fields.back().instruction += QChar(character);
        break;
    case Destination::PnText:
        m_pnText += QChar(character);
        break;
    case Destination::FontTable:
        decodeFontName();
        m_fontNameText += QChar(character);
        break;
    default:
        break;
    }
}

void RtfReader::Impl::startRun()
{
    if (!m_run.isEmpty() && !(m_runState == top().chars))
        flushRun();
    if (m_run.isEmpty()) {
        beginContent();
        m_runState = top().chars;
    }
}

void RtfReader::Impl::appendCharacter(char16_t character)
{
    startRun();
    m_run.append(QChar(character));
}

void RtfReader::Impl::appendLatin1(const char* data, qsizetype size)
{
    startRun();
    m_run.append(QLatin1StringView(data, size));
}

void RtfReader::Impl::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runState));
    m_run.resize(0);
    m_paragraphHasContent = true;
}

QTextCharFormat RtfReader::Impl::charFormat(const CharState& state)
{
    if (const auto found = m_formats.constFind(state); found != m_formats.cend())
        return *found;
    QTextCharFormat format;
    const int fontNumber = state.font >= 0 ? state.font : m_defaultFont;
    if (const auto font = m_fonts.constFind(fontNumber); font != m_fonts.cend()) {
        if (!font->name.isEmpty())
            format.setFontFamilies({font->name});
        setCharCharset(format, font->charset == 1 ? 238 : font->charset);
    }
    setCharSize(format, state.size * 10);
    if (state.bold)
        format.setFontWeight(QFont::Bold);
    if (state.italic)
        format.setFontItalic(true);
    if (state.underline)
        format.setFontUnderline(true);
    if (state.strike)
        format.setFontStrikeOut(true);
    const auto colorAt = [this](int index) {
        return index >= 0 && index < m_colors.size() ? m_colors.at(index) : QColor();
    };
    setCharTextColor(format, colorAt(state.foreground));
    setCharBackColor(format, state.background > 0 ? colorAt(state.background) : QColor());
    if (state.script == 1)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    else if (state.script == 2)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (state.up != 0)
        setCharOffset(format, state.up * 10);
    if (state.link >= 0 && state.link < m_linkTargets.size())
        setCharLink(format, m_linkTargets.at(state.link));
    if (state.protect)
        format.setProperty(CharProtected, true);
    // Hidden text is kept, so that saving writes it back; the layout has no
    // way to hide characters, so it is shown like the text around it.
    if (state.hidden)
        format.setProperty(CharHidden, true);
    m_formats.insert(state, format);
    return format;
}

// Structure.

void RtfReader::Impl::beginContent()
{
    const ParaState& para = top().para;
    const bool wantTable = para.inTable;
    if (wantTable && !m_table) {
        startTable();
    } else if (!wantTable && m_table) {
        leaveTable();
    }
    if (m_table && (m_rowEnded || m_cellEnded)) {
        bool tooManyColumns = false;
        if (m_rowEnded) {
            ++m_row;
            m_column = 0;
            // Rows are added in growing batches and the unused ones removed when the table
            // ends: each change of a table's shape makes Qt rebuild its grid of all cells.
            if (m_row >= m_table->rows())
                m_table->appendRows(std::clamp(m_table->rows(), 1, MaxRowsAddedAtOnce));
        } else if (m_column + 1 < MaxColumns) {
            ++m_column;
            if (m_column >= m_table->columns())
                m_table->appendColumns(1);
        } else {
            tooManyColumns = true;
        }
        m_rowEnded = m_cellEnded = false;
        const QTextTableCell cell = m_table->cellAt(m_row, m_column);
        m_cursor = tooManyColumns ? cell.lastCursorPosition() : cell.firstCursorPosition();
        if (tooManyColumns)
            m_cursor.insertText(QStringLiteral("\t"));
        m_pendingBreak = false;
    }
    openPendingParagraph();
}

void RtfReader::Impl::openPendingParagraph()
{
    if (!m_pendingBreak)
        return;
    m_pendingBreak = false;
    m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

void RtfReader::Impl::endParagraph(ParagraphEnd end)
{
    flushRun();
    beginContent();
    applyParagraphFormat();
    m_pageBreakNext = end == ParagraphEnd::PageBreak;
    m_pendingBreak = true;
    m_paragraphHasContent = false;
}

// The document's group ends: the last paragraph gets its format even without \par.
void RtfReader::Impl::endText()
{
    flushRun();
    if (m_table)
        leaveTable();
    if (!m_pendingBreak && m_paragraphHasContent)
        applyParagraphFormat();
    m_paragraphHasContent = false;
}

Numbering RtfReader::Impl::numbering(const ParaState& para) const
{
    Numbering result;
    if (para.listOverride > 0) {
        const int listId = m_listOverrides.value(para.listOverride, -1);
        const auto definition = m_listDefinitions.constFind(listId);
        result.level = para.listLevel;
        result.key = (qint64(1) << 40) | (qint64(para.listOverride) << 8) | para.listLevel;
        if (definition != m_listDefinitions.cend() && para.listLevel < definition->size()) {
            result.numbering = definition->at(para.listLevel).numbering;
            result.start = definition->at(para.listLevel).start;
            // The old-style numbering beside a numbered list says how the number
            // is written; without it, "1." as word processors show it.
            if (para.pnNumbering == 0 || para.pnNumbering == PFN_BULLET)
                result.style = 0x200;
            else
                result.style = para.pnStyle < 0 ? 0x300 : para.pnStyle;
            return result;
        }
        if (para.pnNumbering == 0) {
            result.numbering = PFN_BULLET;
            return result;
        }
    }
    if (para.pnNumbering != 0) {
        result.numbering = para.pnNumbering;
        result.start = para.pnStart;
        // A bullet has no number to write: its style is the usual one.
        if (para.pnNumbering == PFN_BULLET)
            result.style = 0x200;
        else
            result.style = para.pnStyle < 0 ? 0x300 : para.pnStyle;
        result.level = std::max(0, para.pnLevel - 1);
        result.key = (qint64(2) << 40) | (qint64(para.pnNumbering) << 8) | result.level;
    }
    return result;
}

QTextBlockFormat RtfReader::Impl::blockFormat(const ParaState& para, const Numbering& list) const
{
    QTextBlockFormat format;
    setBlockAlignment(format, para.alignment);
    setBlockIndents(format, para.leftIndent + para.firstIndent, -para.firstIndent);
    setBlockRightIndent(format, para.rightIndent);
    setBlockSpaceBefore(format, para.spaceBefore);
    setBlockSpaceAfter(format, para.spaceAfter);
    if (para.lineSpacing == 0) {
        setBlockLineSpacing(format, LineSpacingSingle, 0);
    } else if (para.lineMultiple) {
        const int value = std::abs(para.lineSpacing);
        if (value == 240)
            setBlockLineSpacing(format, LineSpacingSingle, 0);
        else if (value == 360)
            setBlockLineSpacing(format, LineSpacingOneAndHalf, 0);
        else if (value == 480)
            setBlockLineSpacing(format, LineSpacingDouble, 0);
        else
            setBlockLineSpacing(format, LineSpacingMultiple, value / 12);
    } else if (para.lineSpacing > 0) {
        setBlockLineSpacing(format, LineSpacingAtLeast, para.lineSpacing);
    } else {
        setBlockLineSpacing(format, LineSpacingExactly, -para.lineSpacing);
    }
    if (!para.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        for (int position : para.tabs)
            tabs.append(QTextOption::Tab(twipsToPixels(position), QTextOption::LeftTab));
        format.setTabPositions(tabs);
    }
    if (para.pageBreakBefore || m_pageBreakNext)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (list.numbering != 0) {
        format.setProperty(BlockNumbering, list.numbering);
        format.setProperty(BlockNumberingStart, list.start);
        format.setProperty(BlockNumberingStyle, list.style);
        format.setProperty(BlockListLevel, list.level);
        if (para.pnIndent != 0)
            format.setProperty(BlockNumberingTab, para.pnIndent);
    }
    return format;
}

void RtfReader::Impl::applyParagraphFormat()
{
    const ParaState& para = top().para;
    Numbering list = numbering(para);
    if (list.numbering == 0) {
        // A paragraph outside any list ends the lists: the next list item starts a new
        // QTextList. Each item added to a QTextList costs Qt time in proportion to the
        // list's length, so one list for all the items of a long document would make the
        // reading quadratic.
        m_lists.clear();
        m_cursor.setBlockFormat(blockFormat(para, list));
        m_pageBreakNext = false;
        return;
    }
    // For the same reason a very long list goes on in a new QTextList whose start number
    // continues the numbering.
    ListRun& run = m_lists[list.key];
    if (run.list && run.list->count() >= MaxListItems) {
        run.itemsBefore += run.list->count();
        run.list = nullptr;
    }
    list.start += run.itemsBefore;
    m_cursor.setBlockFormat(blockFormat(para, list));
    m_pageBreakNext = false;
    if (run.list) {
        run.list->add(m_cursor.block());
        return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(listStyleOf(list.numbering));
    listFormat.setIndent(0);
    run.list = m_cursor.createList(listFormat);
}

void RtfReader::Impl::startTable()
{
    const int columns = std::max<int>(1, int(m_cellBoundaries.size()));
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    if (!m_cellBoundaries.isEmpty()) {
        QList<QTextLength> widths;
        int previous = 0;
        for (int boundary : std::as_const(m_cellBoundaries)) {
            widths.append(
                QTextLength(QTextLength::FixedLength, twipsToPixels(std::max(boundary - previous, 15))));
            previous = std::max(previous, boundary);
        }
        format.setColumnWidthConstraints(widths);
    }
    m_table = m_cursor.insertTable(1, columns, format);
    m_row = 0;
    m_column = 0;
    m_cellEnded = m_rowEnded = false;
    m_pendingBreak = false;
    m_cursor = m_table->cellAt(0, 0).firstCursorPosition();
}

void RtfReader::Impl::leaveTable()
{
    if (m_table->rows() > m_row + 1)
        m_table->removeRows(m_row + 1, m_table->rows() - m_row - 1);
    m_cursor.setPosition(m_table->lastPosition() + 1);
    m_table = nullptr;
    m_pendingBreak = false;
    m_cellEnded = m_rowEnded = false;
    m_paragraphHasContent = false;
}

void RtfReader::Impl::endCell()
{
    flushRun();
    top().para.inTable = true; // \cell ends a cell even where \intbl was forgotten
    beginContent();
    applyParagraphFormat();
    m_cellEnded = true;
    m_paragraphHasContent = false;
}

void RtfReader::Impl::endRow()
{
    flushRun();
    if (!m_table)
        return;
    m_cellEnded = false;
    m_rowEnded = true;
}

// Pictures and objects.

void RtfReader::Impl::finishPicture(const QByteArray& captured)
{
    if (m_truncated)
        return;
    const QImage image = m_picture.image();
    if (m_pictureForObject) {
        if (!image.isNull() && m_objectImage.isNull()) {
            m_objectImage = image;
            m_objectImageSize = m_picture.displaySize(image);
        }
        return;
    }
    if (top().destination != Destination::Body)
        return;
    const QSizeF size = m_picture.displaySize(image);
    if (image.isNull()) {
        insertPicture({}, size, {}, {}, captured);
        return;
    }
    const QString kept = m_picture.keptKind();
    insertPicture(image, size, kept, kept.isEmpty() ? QByteArray() : m_picture.data, {});
    m_picture = RtfPicture();
}

void RtfReader::Impl::finishObject(const QByteArray& captured)
{
    if (m_truncated || top().destination != Destination::Body)
        return;
    QSizeF size = m_objectImageSize;
    if (m_objectWidth > 0 && m_objectHeight > 0)
        size = QSizeF(twipsToPixels(m_objectWidth), twipsToPixels(m_objectHeight));
    if (size.isEmpty())
        size = QSizeF(32, 32);
    insertPicture(m_objectImage, size, {}, {}, captured);
    m_objectImage = QImage();
}

void RtfReader::Impl::insertPicture(const QImage& image, QSizeF size, const QString& keptKind,
                                    const QByteArray& data, const QByteArray& rtf)
{
    flushRun();
    beginContent();
    QString name;
    if (image.isNull()) {
        name = placeholderName();
    } else {
        name = uniqueResourceName(u"picture");
        m_document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    QTextImageFormat format;
    format.merge(charFormat(top().chars));
    format.setName(name);
    format.setWidth(std::min<qreal>(size.width(), 10000));
    format.setHeight(std::min<qreal>(size.height(), 10000));
    if (!keptKind.isEmpty()) {
        format.setProperty(ObjectPictureKind, keptKind);
        format.setProperty(ObjectPictureData, data);
    }
    if (!rtf.isEmpty())
        format.setProperty(ObjectRtf, rtf);
    m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    m_paragraphHasContent = true;
}

QString RtfReader::Impl::placeholderName()
{
    if (!m_placeholder.isEmpty())
        return m_placeholder;
    m_placeholder = uniqueResourceName(u"object");
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, 31, 31);
    painter.drawLine(0, 0, 31, 31);
    painter.drawLine(0, 31, 31, 0);
    painter.end();
    m_document->addResource(QTextDocument::ImageResource, QUrl(m_placeholder), image);
    return m_placeholder;
}

// RtfReader

RtfReader::RtfReader(QTextCursor cursor) : m_impl(std::make_unique<Impl>(std::move(cursor)))
{
}

RtfReader::~RtfReader()
{
    m_impl->abandon();
}

bool RtfReader::feed(const char* data, qsizetype size)
{
    return m_impl->feed(data, size);
}

bool RtfReader::finish()
{
    return m_impl->finish();
}

QString RtfReader::errorString() const
{
    return m_impl->m_error;
}

QTextCursor RtfReader::cursor() const
{
    return m_impl->m_cursor;
}
