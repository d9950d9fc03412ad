#include "rtf/RtfWriter.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "rtf/RtfCodePage.h"
#include "rtf/RtfScriptPosition.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cstring>

using namespace TextFormatProperties;

namespace {

constexpr qsizetype ChunkSize = 64 * 1024;
constexpr int SymbolCharset = 2;

struct FontKey
{
    QString family;
    int charset = 238;
    friend bool operator==(const FontKey&, const FontKey&) = default;
};

size_t qHash(const FontKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.family, key.charset);
}

// The text after the number of a Windows numbering style; "1)" for the styles without
// one of their own.
const char* numberingAfterText(int style)
{
    switch (style) {
    case PFNS_PLAIN:
        return "";
    case PFNS_PERIOD:
        return ".";
    default:
        return ")";
    }
}

// One \listid of the list table: its numbering, start and numbering style.
struct ListDefinition
{
    int numbering = 0;
    int start = 1;
    int style = PFNS_PERIOD;
    friend bool operator==(const ListDefinition&, const ListDefinition&) = default;
};

// The character attributes as written, to write only what changes from run to run.
struct WrittenChars
{
    int font = 0;
    int size = 24; // half points
    int foreground = 0;
    int background = 0;
    int up = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool protect = false;
    bool hidden = false;
    RtfScriptPosition script = RtfScriptPosition::Normal;
    friend bool operator==(const WrittenChars&, const WrittenChars&) = default;
};

int numberingOf(const QTextBlockFormat& format, const QTextList* list)
{
    if (format.hasProperty(BlockNumbering) && format.intProperty(BlockNumbering) != 0)
        return format.intProperty(BlockNumbering);
    switch (list->format().style()) {
    case QTextListFormat::ListDecimal:
        return PFN_ARABIC;
    case QTextListFormat::ListLowerAlpha:
        return PFN_LCLETTER;
    case QTextListFormat::ListUpperAlpha:
        return PFN_UCLETTER;
    case QTextListFormat::ListLowerRoman:
        return PFN_LCROMAN;
    case QTextListFormat::ListUpperRoman:
        return PFN_UCROMAN;
    default:
        return PFN_BULLET;
    }
}

int levelFormatOf(int numbering)
{
    switch (numbering) {
    case PFN_ARABIC:
        return 0;
    case PFN_UCROMAN:
        return 1;
    case PFN_LCROMAN:
        return 2;
    case PFN_UCLETTER:
        return 3;
    case PFN_LCLETTER:
        return 4;
    default:
        return 23;
    }
}

const char* pnKeywordOf(int numbering)
{
    switch (numbering) {
    case PFN_UCROMAN:
        return "\\pnucrm";
    case PFN_LCROMAN:
        return "\\pnlcrm";
    case PFN_UCLETTER:
        return "\\pnucltr";
    case PFN_LCLETTER:
        return "\\pnlcltr";
    default:
        return "\\pndec";
    }
}

QString romanNumber(int value)
{
    static const std::pair<int, const char*> parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString result;
    value = std::clamp(value, 1, 3999);
    for (const auto& [amount, letters] : parts) {
        while (value >= amount) {
            result += QLatin1StringView(letters);
            value -= amount;
        }
    }
    return result;
}

QString letterNumber(int value)
{
    QString result;
    value = std::max(value, 1);
    while (value > 0) {
        --value;
        result.prepend(QChar(u'a' + value % 26));
        value /= 26;
    }
    return result;
}

QString numberText(int numbering, int value)
{
    switch (numbering) {
    case PFN_LCLETTER:
        return letterNumber(value);
    case PFN_UCLETTER:
        return letterNumber(value).toUpper();
    case PFN_LCROMAN:
        return romanNumber(value);
    case PFN_UCROMAN:
        return romanNumber(value).toUpper();
    default:
        return QString::number(value);
    }
}

QImage imageOfResource(const QVariant& resource)
{
    if (resource.canConvert<QImage>() && resource.typeId() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.typeId() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return {};
}

class Writer
{
public:
    Writer(const QTextDocument& document, RtfWriter::Options options, const RtfWriter::Sink& sink, int from,
           int to)
        : m_document(document), m_options(options), m_sink(sink), m_from(from), m_to(to)
    {
        m_out.reserve(ChunkSize + 4096);
    }

    bool write();

private:
    void collect();
    void writeHeader();
    enum class Place { FirstWritten, Later };
    void writeBlock(const QTextBlock& block, Place place);
    void writeParagraphProperties(const QTextBlock& block, const QTextTable* table, Place place);
    void writeListFallback(const QTextBlock& block, const QTextList* list);
    void writeFragment(const QTextFragment& fragment, int position, int length);
    void writeChars(const WrittenChars& chars);
    void writeLinkChange(const QString& target);
    void writeObject(const QTextImageFormat& format);
    void writeKeptGroup(const QByteArray& group);
    void writeRowDefinition(const QTextTable* table);
    // Windows1250: characters of the code page as \'hh; UnicodeOnly: every non-ASCII one as \uN.
    enum class Encoding { Windows1250, UnicodeOnly };
    void writeText(QStringView text, Encoding encoding);
    // Text in a font of the Central European character set can use Windows-1250 bytes; a
    // reader decodes the bytes of other fonts in their own code page.
    static Encoding encodingOf(int charset)
    {
        return charset == 238 ? Encoding::Windows1250 : Encoding::UnicodeOnly;
    }

    int fontIndex(const QTextCharFormat& format);
    int colorIndex(const QColor& color);
    WrittenChars charsOf(const QTextCharFormat& format);

    // What the writer needs of a fragment's format, worked out once per format of the
    // document: documents hold few formats and many fragments.
    struct RunFormat
    {
        WrittenChars chars;
        QString link;
        Encoding encoding = Encoding::Windows1250;
        bool picture = false;
    };
    const RunFormat& runFormat(const QTextFragment& fragment);

    void put(char c) { m_out.append(c); }
    void put(const char* text) { m_out.append(text); }
    void put(QByteArrayView text) { m_out.append(text); }
    void putWord(const char* word, int value)
    {
        m_out.append(word);
        m_out.append(QByteArray::number(value));
    }
    // A numbered level's text: its number (placeholder \'0N for level N) with
    // the characters the Windows numbering style puts around it.
    void putLevelText(int level, int style)
    {
        const char* before = style == PFNS_PARENS ? "(" : "";
        const char* after = numberingAfterText(style);
        const int length = 1 + int(std::strlen(before) + std::strlen(after));
        put("{\\leveltext\\'0");
        put(char('0' + length));
        put(before);
        put("\\'0");
        put(char('0' + level));
        put(after);
        put(";}{\\levelnumbers\\'0");
        put(char('1' + std::strlen(before)));
        put(";}");
    }
    void putHex(unsigned char byte)
    {
        static constexpr char Digits[] = "0123456789abcdef";
        m_out.append(Digits[byte >> 4]);
        m_out.append(Digits[byte & 15]);
    }
    void flushIfFull()
    {
        if (m_out.size() >= ChunkSize)
            flush();
    }
    void flush()
    {
        if (!m_out.isEmpty() && !m_failed && !m_sink(m_out.constData(), m_out.size()))
            m_failed = true;
        m_out.resize(0);
    }

    const QTextDocument& m_document;
    RtfWriter::Options m_options;
    const RtfWriter::Sink& m_sink;
    int m_from;
    int m_to;
    QByteArray m_out;
    bool m_failed = false;

    QList<FontKey> m_fonts;
    QHash<FontKey, int> m_fontIndexes;
    int m_symbolFont = -1;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorIndexes;
    QList<const QTextList*> m_lists;
    QHash<const QTextList*, int> m_listIndexes;      // \ls of each list, from 1
    QList<ListDefinition> m_listDefinitions;         // of each \listid
    QHash<const QTextList*, int> m_itemsWritten;     // list items written so far, per list
    QHash<const QTextList*, int> m_listDefinitionOf; // \listid of each list, from 1
    int m_defaultSize = 240;                         // twips

    QHash<int, RunFormat> m_runFormats; // by the document's format index
    WrittenChars m_chars;
    bool m_charsWritten = false;
    QString m_link;
    WrittenChars m_charsBeforeLink;
    bool m_charsWrittenBeforeLink = false;
};

int Writer::fontIndex(const QTextCharFormat& format)
{
    QString family;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        family = families.first();
    if (family.isEmpty())
        family = m_document.defaultFont().family();
    const FontKey key{family, charCharset(format)};
    if (const auto found = m_fontIndexes.constFind(key); found != m_fontIndexes.cend())
        return *found;
    const int index = int(m_fonts.size());
    m_fonts.append(key);
    m_fontIndexes.insert(key, index);
    return index;
}

int Writer::colorIndex(const QColor& color)
{
    if (!color.isValid())
        return 0;
    const QRgb rgb = color.rgb();
    if (const auto found = m_colorIndexes.constFind(rgb); found != m_colorIndexes.cend())
        return *found;
    m_colors.append(color);
    const int index = int(m_colors.size()); // 0 is the automatic colour
    m_colorIndexes.insert(rgb, index);
    return index;
}

WrittenChars Writer::charsOf(const QTextCharFormat& format)
{
    WrittenChars chars;
    chars.font = fontIndex(format);
    const int size = charSize(format);
    chars.size = std::clamp((size > 0 ? size : m_defaultSize) / 10, 1, 3276);
    chars.bold = format.fontWeight() >= QFont::DemiBold;
    chars.italic = format.fontItalic();
    chars.underline = format.fontUnderline();
    chars.strike = format.fontStrikeOut();
    chars.protect = format.boolProperty(CharProtected);
    chars.hidden = format.boolProperty(CharHidden);
    if (!charAutoColor(format) && format.foreground().style() != Qt::NoBrush)
        chars.foreground = colorIndex(format.foreground().color());
    if (!charAutoBackColor(format) && format.background().style() != Qt::NoBrush)
        chars.background = colorIndex(format.background().color());
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        chars.script = RtfScriptPosition::Subscript;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        chars.script = RtfScriptPosition::Superscript;
    chars.up = charOffset(format) / 10;
    return chars;
}

const Writer::RunFormat& Writer::runFormat(const QTextFragment& fragment)
{
    const int index = fragment.charFormatIndex();
    if (const auto found = m_runFormats.constFind(index); found != m_runFormats.cend())
        return *found;
    const QTextCharFormat format = fragment.charFormat();
    RunFormat run;
    run.link = charLink(format);
    run.picture = format.isImageFormat();
    // Pictures carry a character format too (size, raised or lowered), which a
    // reader gives them from the run they stand in.
    run.chars = charsOf(format);
    run.encoding = encodingOf(charCharset(format));
    return *m_runFormats.insert(index, run);
}

void Writer::collect()
{
    // Font 0 is the document's default font.
    QTextCharFormat defaultFormat;
    defaultFormat.setFontFamilies({m_document.defaultFont().family()});
    fontIndex(defaultFormat);
    if (m_document.defaultFont().pointSizeF() > 0)
        m_defaultSize = int(std::lround(m_document.defaultFont().pointSizeF() * 20));
    for (QTextBlock block = m_document.findBlock(m_from); block.isValid() && block.position() < m_to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int position = fragment.position();
            if (position + fragment.length() > m_from && position < m_to)
                runFormat(fragment);
        }
        if (const QTextList* list = block.textList(); list && !m_listIndexes.contains(list)) {
            m_lists.append(list);
            m_listIndexes.insert(list, int(m_lists.size()));
            const int numbering = numberingOf(block.blockFormat(), list);
            const ListDefinition definition{
                numbering, intProperty(block.blockFormat(), BlockNumberingStart, 1),
                intProperty(block.blockFormat(), BlockNumberingStyle, PFNS_PERIOD)};
            qsizetype definitionIndex = m_listDefinitions.indexOf(definition);
            if (definitionIndex < 0) {
                definitionIndex = m_listDefinitions.size();
                m_listDefinitions.append(definition);
            }
            m_listDefinitionOf.insert(list, int(definitionIndex + 1));
            if (numbering == PFN_BULLET && m_symbolFont < 0) {
                QTextCharFormat symbol;
                symbol.setFontFamilies({QStringLiteral("Symbol")});
                setCharCharset(symbol, SymbolCharset);
                m_symbolFont = fontIndex(symbol);
            }
        }
    }
}

void Writer::writeHeader()
{
    put("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029\n{\\fonttbl");
    for (qsizetype index = 0; index < m_fonts.size(); ++index) {
        putWord("{\\f", int(index));
        putWord("\\fnil\\fcharset", m_fonts.at(index).charset);
        put(' ');
        writeText(m_fonts.at(index).family, encodingOf(m_fonts.at(index).charset));
        put(";}");
    }
    put("}\n{\\colortbl ;");
    for (const QColor& color : std::as_const(m_colors)) {
        putWord("\\red", color.red());
        putWord("\\green", color.green());
        putWord("\\blue", color.blue());
        put(';');
    }
    put("}\n");
    if (!m_lists.isEmpty()) {
        // One list definition per kind of numbering, one override (\ls) per list.
        put("{\\*\\listtable");
        for (qsizetype index = 0; index < m_listDefinitions.size(); ++index) {
            const auto [numbering, start, style] = m_listDefinitions.at(index);
            putWord("\n{\\list\\listtemplateid", int(index + 1));
            for (int level = 0; level < 9; ++level) {
                putWord("{\\listlevel\\levelnfc", levelFormatOf(numbering));
                putWord("\\levelnfcn", levelFormatOf(numbering));
                putWord("\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat", start);
                if (numbering == PFN_BULLET)
                    put("{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}");
                else
                    putLevelText(level, style);
                putWord("\\fi-360\\li", 720 * (level + 1));
                put('}');
            }
            putWord("{\\listname ;}\\listid", int(index + 1));
            put('}');
        }
        put("}\n{\\*\\listoverridetable");
        for (const QTextList* list : std::as_const(m_lists)) {
            putWord("{\\listoverride\\listid", m_listDefinitionOf.value(list));
            putWord("\\listoverridecount0\\ls", m_listIndexes.value(list));
            put('}');
            flushIfFull();
        }
        put("}\n");
    }
    put("{\\*\\generator Zorvan;}\\viewkind4\\uc1\n");
}

void Writer::writeText(QStringView text, Encoding encoding)
{
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code >= 0x20 && code < 0x80) {
            if (code == '\\' || code == '{' || code == '}')
                put('\\');
            put(char(code));
            continue;
        }
        switch (code) {
        case u'\t':
            put("\\tab ");
            continue;
        case QChar::LineSeparator:
            put("\\line ");
            continue;
        case 0x00A0:
            put("\\~");
            continue;
        case 0x00AD:
            put("\\-");
            continue;
        case 0x2011:
            put("\\_");
            continue;
        default:
            break;
        }
        if (code < 0x20)
            continue;
        if (const unsigned char byte =
                encoding == Encoding::Windows1250 ? RtfCodePage::encode1250(code) : 0) {
            put("\\'");
            putHex(byte);
            continue;
        }
        putWord("\\u", int(qint16(code)));
        put('?');
    }
}

void Writer::writeChars(const WrittenChars& chars)
{
    if (m_charsWritten && chars == m_chars)
        return;
    // LibreOffice drops the rest of a paragraph when a sub- or superscript run
    // is ended by \plain alone; \nosupersub first keeps the text.
    if (m_charsWritten && m_chars.script != RtfScriptPosition::Normal && chars.script != m_chars.script)
        put("\\nosupersub");
    m_chars = chars;
    m_charsWritten = true;
    putWord("\\plain\\f", chars.font);
    putWord("\\fs", chars.size);
    if (chars.bold)
        put("\\b");
    if (chars.italic)
        put("\\i");
    if (chars.underline)
        put("\\ul");
    if (chars.strike)
        put("\\strike");
    if (chars.foreground)
        putWord("\\cf", chars.foreground);
    if (chars.background)
        putWord("\\highlight", chars.background);
    switch (chars.script) {
    case RtfScriptPosition::Normal:
        break;
    case RtfScriptPosition::Subscript:
        put("\\sub");
        break;
    case RtfScriptPosition::Superscript:
        put("\\super");
        break;
    }
    if (chars.up > 0)
        putWord("\\up", chars.up);
    else if (chars.up < 0)
        putWord("\\dn", -chars.up);
    if (chars.protect)
        put("\\protect");
    if (chars.hidden)
        put("\\v");
    put(' ');
}

void Writer::writeLinkChange(const QString& target)
{
    if (target == m_link)
        return;
    if (!m_link.isEmpty()) {
        put("}}}");
        m_chars = m_charsBeforeLink;
        m_charsWritten = m_charsWrittenBeforeLink;
    }
    m_link = target;
    if (target.isEmpty())
        return;
    m_charsBeforeLink = m_chars;
    m_charsWrittenBeforeLink = m_charsWritten;
    put("{\\field{\\*\\fldinst{HYPERLINK \"");
    QString quoted = target;
    quoted.replace(u'"', QLatin1String("%22"));
    writeText(quoted, Encoding::UnicodeOnly);
    put("\"}}{\\fldrslt{");
}

void Writer::writeKeptGroup(const QByteArray& group)
{
    // The group goes out as it was read, except that the output stays 7-bit:
    // binary data after \binN becomes hexadecimal (which every reader of
    // picture and object data takes as well), other 8-bit bytes become \'hh.
    const qsizetype size = group.size();
    for (qsizetype i = 0; i < size;) {
        const auto byte = static_cast<unsigned char>(group.at(i));
        if (byte >= 0x80) {
            put("\\'");
            putHex(byte);
            ++i;
            continue;
        }
        if (byte != '\\' || i + 1 >= size) {
            put(char(byte));
            ++i;
            continue;
        }
        if (!group.mid(i + 1, 3).startsWith("bin") ||
            (i + 4 < size && std::isalpha(uchar(group.at(i + 4))))) {
            // Any other control word or symbol, copied with the character after
            // the backslash so that "\\" and "\{" stay escapes.
            put(char(byte));
            put(group.at(i + 1));
            i += 2;
            continue;
        }
        qsizetype pos = i + 4;
        qint64 count = 0;
        while (pos < size && std::isdigit(uchar(group.at(pos))) && count < size)
            count = count * 10 + (group.at(pos++) - '0');
        if (pos < size && group.at(pos) == ' ')
            ++pos;
        const qsizetype end = std::min<qsizetype>(size, pos + count);
        put(' ');
        for (qsizetype data = pos; data < end; ++data)
            putHex(static_cast<unsigned char>(group.at(data)));
        i = end;
    }
}

void Writer::writeObject(const QTextImageFormat& format)
{
    if (m_options.testFlag(RtfWriter::NoObjects)) {
        put(' ');
        return;
    }
    const QByteArray kept = format.property(ObjectRtf).toByteArray();
    if (!kept.isEmpty()) {
        writeKeptGroup(kept);
        return;
    }
    const QImage image =
        imageOfResource(m_document.resource(QTextDocument::ImageResource, QUrl(format.name())));
    QString kind = format.stringProperty(ObjectPictureKind);
    QByteArray data = format.property(ObjectPictureData).toByteArray();
    if (data.isEmpty() || (kind != QLatin1String("png") && kind != QLatin1String("jpeg"))) {
        if (image.isNull()) {
            put(' ');
            return;
        }
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        kind = QStringLiteral("png");
    }
    const int width = image.isNull() ? int(format.width()) : image.width();
    const int height = image.isNull() ? int(format.height()) : image.height();
    const qreal shownWidth = format.width() > 0 ? format.width() : width;
    const qreal shownHeight = format.height() > 0 ? format.height() : height;
    put(kind == QLatin1String("png") ? "{\\pict\\pngblip" : "{\\pict\\jpegblip");
    putWord("\\picw", width);
    putWord("\\pich", height);
    putWord("\\picwgoal", pixelsToTwips(shownWidth));
    putWord("\\pichgoal", pixelsToTwips(shownHeight));
    put('\n');
    for (qsizetype index = 0; index < data.size(); ++index) {
        putHex(static_cast<unsigned char>(data.at(index)));
        if (index % 64 == 63) {
            put('\n');
            flushIfFull();
        }
    }
    put("}");
}

void Writer::writeFragment(const QTextFragment& fragment, int position, int length)
{
    const RunFormat& run = runFormat(fragment);
    writeLinkChange(run.link);
    const int start = std::max(m_from, position) - position;
    const int end = std::min(m_to, position + length) - position;
    if (start >= end)
        return;
    const QString text = fragment.text();
    if (run.picture) {
        writeChars(run.chars);
        const QTextImageFormat format = fragment.charFormat().toImageFormat();
        for (int index = start; index < end; ++index) {
            if (text.at(index) == QChar::ObjectReplacementCharacter)
                writeObject(format);
        }
        return;
    }
    writeChars(run.chars);
    writeText(QStringView(text).mid(start, end - start), run.encoding);
    flushIfFull();
}

void Writer::writeRowDefinition(const QTextTable* table)
{
    put("\\trowd\\trgaph108\\trleft0");
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    int position = 0;
    for (int column = 0; column < table->columns(); ++column) {
        int width = 9000 / std::max(1, table->columns());
        if (column < widths.size() && widths.at(column).type() == QTextLength::FixedLength)
            width = std::max(1, pixelsToTwips(widths.at(column).rawValue()));
        position += width;
        put("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brd"
            "rw10");
        putWord("\\cellx", position);
    }
    put('\n');
}

void Writer::writeListFallback(const QTextBlock& block, const QTextList* list)
{
    const QTextBlockFormat format = block.blockFormat();
    const int numbering = numberingOf(format, list);
    const int start = intProperty(format, BlockNumberingStart, 1);
    const int style = intProperty(format, BlockNumberingStyle, PFNS_PERIOD);
    const int tab = intProperty(format, BlockNumberingTab, 0);
    if (numbering == PFN_BULLET) {
        putWord("{\\pntext\\f", m_symbolFont);
        put("\\'b7\\tab}");
        putWord("{\\*\\pn\\pnlvlblt\\pnf", m_symbolFont);
        putWord("\\pnindent", tab);
        put("{\\pntxtb\\'b7}}");
        return;
    }
    // Blocks are written in document order, so counting them gives each item's number;
    // QTextList::itemNumber searches the whole list and is asked only for the first item
    // written, which a selection may take from the middle of a list.
    auto written = m_itemsWritten.find(list);
    if (written == m_itemsWritten.end())
        written = m_itemsWritten.insert(list, list->itemNumber(block));
    const QString number = numberText(numbering, start + (*written)++);
    const char* before = style == PFNS_PARENS ? "(" : "";
    const char* after = numberingAfterText(style);
    put("{\\pntext\\f0 ");
    put(before);
    writeText(number, Encoding::Windows1250);
    put(after);
    put("\\tab}");
    put("{\\*\\pn\\pnlvlbody\\pnf0");
    putWord("\\pnindent", tab);
    putWord("\\pnstart", start);
    put(pnKeywordOf(numbering));
    if (*before)
        put("{\\pntxtb (}");
    if (*after) {
        put("{\\pntxta ");
        put(after);
        put('}');
    }
    put('}');
}

void Writer::writeParagraphProperties(const QTextBlock& block, const QTextTable* table, Place place)
{
    const QTextBlockFormat format = block.blockFormat();
    put("\\pard");
    const QTextList* list = block.textList();
    if (list) {
        putWord("\\ls", m_listIndexes.value(list));
        putWord("\\ilvl", std::clamp(intProperty(format, BlockListLevel, 0), 0, 8));
    }
    if (table)
        put("\\intbl");
    switch (blockAlignment(format)) {
    case PFA_RIGHT:
        put("\\qr");
        break;
    case PFA_CENTER:
        put("\\qc");
        break;
    case PFA_JUSTIFY:
        put("\\qj");
        break;
    default:
        break;
    }
    const int start = blockStartIndent(format);
    const int offset = blockOffset(format);
    if (offset != 0)
        putWord("\\fi", -offset);
    if (start + offset != 0)
        putWord("\\li", start + offset);
    if (const int right = blockRightIndent(format))
        putWord("\\ri", right);
    if (const int before = blockSpaceBefore(format))
        putWord("\\sb", before);
    if (const int after = blockSpaceAfter(format))
        putWord("\\sa", after);
    const int value = blockLineSpacing(format);
    switch (blockLineSpacingRule(format)) {
    case LineSpacingOneAndHalf:
        put("\\sl360\\slmult1");
        break;
    case LineSpacingDouble:
        put("\\sl480\\slmult1");
        break;
    case LineSpacingAtLeast:
        putWord("\\sl", value);
        put("\\slmult0");
        break;
    case LineSpacingExactly:
        putWord("\\sl", -value);
        put("\\slmult0");
        break;
    case LineSpacingMultiple:
        putWord("\\sl", value * 12);
        put("\\slmult1");
        break;
    default:
        break;
    }
    for (const QTextOption::Tab& tab : format.tabPositions())
        putWord("\\tx", pixelsToTwips(tab.position));
    if (place == Place::FirstWritten && (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
        put("\\pagebb");
    put(' ');
    if (list)
        writeListFallback(block, list);
}

void Writer::writeBlock(const QTextBlock& block, Place place)
{
    const QTextTable* table = qobject_cast<QTextTable*>(m_document.frameAt(block.position()));
    QTextTableCell cell;
    if (table) {
        cell = table->cellAt(block.position());
        if (cell.column() == 0 && cell.firstPosition() == block.position())
            writeRowDefinition(table);
    }
    writeParagraphProperties(block, table, place);
    m_charsWritten = false;
    for (auto it = block.begin(); !it.atEnd() && !m_failed; ++it) {
        const QTextFragment fragment = it.fragment();
        const int position = fragment.position();
        const int length = fragment.length();
        if (position >= m_to)
            break;
        if (position + length > m_from)
            writeFragment(fragment, position, length);
    }
    writeLinkChange({});
    // LibreOffice loses a sub- or superscript run that is still open at the
    // paragraph's end, and the paragraph break with it.
    if (m_charsWritten && m_chars.script != RtfScriptPosition::Normal)
        put("\\nosupersub");
    const int mark = block.position() + block.length() - 1;
    if (mark >= m_to)
        return;
    if (table && cell.isValid() && cell.lastPosition() == mark) {
        put("\\cell ");
        if (cell.column() + cell.columnSpan() >= table->columns())
            put("\\row");
    } else if (const QTextBlock next = block.next();
               next.isValid() &&
               (next.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
        put("\\page");
    } else {
        put("\\par");
    }
    put('\n');
    flushIfFull();
}

bool Writer::write()
{
    collect();
    writeHeader();
    bool first = true;
    for (QTextBlock block = m_document.findBlock(m_from);
         block.isValid() && block.position() < m_to && !m_failed; block = block.next()) {
        writeBlock(block, first ? Place::FirstWritten : Place::Later);
        first = false;
    }
    put("}\n");
    flush();
    return !m_failed;
}

} // namespace

RtfWriter::RtfWriter(const QTextDocument& document, Options options)
    : m_document(document), m_options(options)
{
}

bool RtfWriter::write(const Sink& sink, int from, int to) const
{
    const int end = m_document.characterCount();
    if (to < 0 || to > end)
        to = end;
    from = std::clamp(from, 0, to);
    Writer writer(m_document, m_options, sink, from, to);
    return writer.write();
}
