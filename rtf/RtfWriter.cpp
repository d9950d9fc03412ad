#include "rtf/RtfWriter.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"
#include "format/Units.h"
#include "rtf/ListLabels.h"
#include "rtf/RtfCharacterWriter.h"
#include "rtf/RtfListNumbering.h"
#include "rtf/RtfOutput.h"
#include "rtf/RtfWriterTables.h"

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
#include <cctype>
#include <cmath>

using namespace TextFormatProperties;

namespace {

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

int defaultSizeOf(const QTextDocument& document)
{
    const qreal points = document.defaultFont().pointSizeF();
    return points > 0 ? int(std::lround(points * TwipsPerPoint)) : 240;
}

// Walks the document's blocks and fragments and writes them; the header's tables and the
// character attributes are written by the objects it holds.
class Writer
{
public:
    Writer(const QTextDocument& document, RtfWriter::Options options, const RtfWriter::Sink& sink, int from,
           int to)
        : m_document(document), m_options(options), m_out(sink), m_tables(document.defaultFont().family()),
          m_characters(m_tables, m_out, defaultSizeOf(document)), m_from(from), m_to(to)
    {
    }

    bool write();

private:
    using Encoding = RtfOutput::Encoding;

    void collect();
    enum class Place { FirstWritten, Later };
    void writeBlock(const QTextBlock& block, Place place);
    void writeParagraphProperties(const QTextBlock& block, const QTextTable* table, Place place);
    void writeListFallback(const QTextBlock& block, const QTextList* list);
    void writeFragment(const QTextFragment& fragment, int position, int length);
    void writeLinkChange(const QString& target);
    void writeObject(const QTextImageFormat& format);
    void writeKeptGroup(const QByteArray& group);
    void writeRowDefinition(const QTextTable* table);
    bool writeDrawingsAfter(const QTextBlock& block);

    // What the writer needs of a fragment's format, worked out once per format of the
    // document: documents hold few formats and many fragments.
    struct RunFormat
    {
        RtfCharacterWriter::Chars chars;
        int charset = 238;
        QString link;
        QString field;   // the instruction of the field whose result the run is
        QByteArray note; // the note whose reference mark the run is, as read
        bool noteNumbered = false;
        Encoding encoding = Encoding::Windows1250;
        bool picture = false;
    };
    const RunFormat& runFormat(const QTextFragment& fragment);

    void put(char c) { m_out.put(c); }
    void put(const char* text) { m_out.put(text); }
    void putWord(const char* word, int value) { m_out.putWord(word, value); }
    void putHex(unsigned char byte) { m_out.putHex(byte); }

    const QTextDocument& m_document;
    RtfWriter::Options m_options;
    RtfOutput m_out;
    RtfWriterTables m_tables;
    RtfCharacterWriter m_characters;
    int m_from;
    int m_to;

    ListLabels m_labels;                // the list labels, counted as the paragraphs are written
    QHash<int, RunFormat> m_runFormats; // by the document's format index
    QString m_link;
    // The drawing objects of the text box paragraphs that follow the block just written were
    // written with it; those paragraphs are not written again.
    bool m_drawingsWritten = false;
};

const Writer::RunFormat& Writer::runFormat(const QTextFragment& fragment)
{
    const int index = fragment.charFormatIndex();
    if (const auto found = m_runFormats.constFind(index); found != m_runFormats.cend())
        return *found;
    const QTextCharFormat format = fragment.charFormat();
    RunFormat run;
    run.link = charLink(format);
    run.field = format.stringProperty(CharFieldInstruction);
    run.note = format.property(CharNoteRtf).toByteArray();
    run.noteNumbered = format.boolProperty(CharNoteNumbered);
    run.picture = format.isImageFormat();
    // Pictures carry a character format too (size, raised or lowered), which a
    // reader gives them from the run they stand in.
    run.chars = m_characters.charsOf(format);
    run.charset = charCharset(format);
    const QStringList families = format.fontFamilies().toStringList();
    run.encoding = RtfOutput::encodingOf(run.charset, families.isEmpty() ? QString() : families.first());
    return *m_runFormats.insert(index, run);
}

void Writer::collect()
{
    auto follows = RtfListTable::Follows::OtherParagraph;
    for (QTextBlock block = m_document.findBlock(m_from); block.isValid() && block.position() < m_to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int position = fragment.position();
            if (position + fragment.length() > m_from && position < m_to)
                runFormat(fragment);
        }
        if (block.length() == 1)
            m_characters.charsOf(block.charFormat()); // its font and colours go into the tables
        const QTextList* list = block.textList();
        if (list)
            m_tables.addListParagraph(list, block.blockFormat(), follows);
        follows = list ? RtfListTable::Follows::ListParagraph : RtfListTable::Follows::OtherParagraph;
    }
}

void Writer::writeLinkChange(const QString& target)
{
    if (target == m_link)
        return;
    if (!m_link.isEmpty()) {
        put("}}}");
        m_characters.leaveGroup();
    }
    m_link = target;
    if (target.isEmpty())
        return;
    m_characters.enterGroup();
    put("{\\field{\\*\\fldinst{HYPERLINK \"");
    QString quoted = target;
    quoted.replace(u'"', QLatin1String("%22"));
    m_out.putText(quoted, Encoding::UnicodeOnly);
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
            m_out.flushIfFull();
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
        m_characters.write(run.chars);
        const QTextImageFormat format = fragment.charFormat().toImageFormat();
        for (int index = start; index < end; ++index) {
            if (text.at(index) == QChar::ObjectReplacementCharacter)
                writeObject(format);
        }
        return;
    }
    const QStringView written = QStringView(text).mid(start, end - start);
    if (!run.field.isEmpty()) {
        m_characters.enterGroup();
        put("{\\field{\\*\\fldinst ");
        m_out.putText(run.field, Encoding::UnicodeOnly);
        put("}{\\fldrslt ");
    }
    m_characters.write(RtfCharacterWriter::forText(run.chars, run.charset, written));
    if (run.note.isEmpty()) {
        m_out.putText(written, run.encoding);
    } else {
        // A note follows its mark; an automatic number is written as the word that
        // numbers it, so that readers number the notes again.
        if (run.noteNumbered)
            put("\\chftn ");
        else
            m_out.putText(written, run.encoding);
        writeKeptGroup(run.note);
    }
    if (!run.field.isEmpty()) {
        put("}}");
        m_characters.leaveGroup();
    }
    m_out.flushIfFull();
}

// The paragraphs of a text box follow the paragraph its drawing object is anchored in: the
// object goes out as it was read at the end of that paragraph, with the text box in it.
bool Writer::writeDrawingsAfter(const QTextBlock& block)
{
    if (block.blockFormat().hasProperty(BlockDrawingRtf))
        return false;
    QByteArray written;
    for (QTextBlock next = block.next(); next.isValid() && next.position() < m_to; next = next.next()) {
        const QByteArray drawing = next.blockFormat().property(BlockDrawingRtf).toByteArray();
        if (drawing.isEmpty())
            break;
        if (drawing != written)
            writeKeptGroup(drawing);
        written = drawing;
    }
    return !written.isEmpty();
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
    const int numbering = RtfListNumbering::numberingOf(format, list);
    const int start = intProperty(format, BlockNumberingStart, 1);
    const int style = intProperty(format, BlockNumberingStyle, PFNS_PERIOD);
    const int tab = intProperty(format, BlockNumberingTab, 0);
    // Blocks are written in document order, so the labels are counted as they go.
    const QString label = m_labels.labelOf(block);
    if (numbering == PFN_BULLET) {
        if (label == ListLabels::bulletOf(0)) { // the Symbol font has it
            putWord("{\\pntext\\f", m_tables.symbolFont());
            put("\\'b7\\tab}");
        } else {
            put("{\\pntext\\f0 ");
            m_out.putText(label, Encoding::Windows1250);
            put("\\tab}");
        }
        putWord("{\\*\\pn\\pnlvlblt\\pnf", m_tables.symbolFont());
        putWord("\\pnindent", tab);
        put("{\\pntxtb\\'b7}}");
        return;
    }
    const char* before = style == PFNS_PARENS ? "(" : "";
    const char* after = RtfListNumbering::afterText(style);
    put("{\\pntext\\f0 ");
    m_out.putText(label, Encoding::Windows1250);
    put("\\tab}");
    put("{\\*\\pn\\pnlvlbody\\pnf0");
    putWord("\\pnindent", tab);
    putWord("\\pnstart", start);
    put(RtfListNumbering::pnKeywordOf(numbering));
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
    if (!list)
        return;
    // The list comes after the older numbering: a reader that knows both takes the
    // older one's \pnlvlbody as level 0 of the list when it comes last.
    writeListFallback(block, list);
    putWord("\\ls", m_tables.lists().overrideIndex(list));
    putWord("\\ilvl", m_tables.lists().levelOf(list));
    put(' ');
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
    m_characters.startParagraph();
    for (auto it = block.begin(); !it.atEnd() && !m_out.failed(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int position = fragment.position();
        const int length = fragment.length();
        if (position >= m_to)
            break;
        if (position + length > m_from)
            writeFragment(fragment, position, length);
    }
    writeLinkChange({});
    // An empty paragraph is as high as its mark's characters.
    if (block.length() == 1)
        m_characters.write(m_characters.charsOf(block.charFormat()));
    m_characters.endParagraph();
    m_drawingsWritten = writeDrawingsAfter(block);
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
    m_out.flushIfFull();
}

bool Writer::write()
{
    collect();
    m_tables.writeHeader(m_out);
    bool first = true;
    for (QTextBlock block = m_document.findBlock(m_from);
         block.isValid() && block.position() < m_to && !m_out.failed(); block = block.next()) {
        if (m_drawingsWritten && block.blockFormat().hasProperty(BlockDrawingRtf))
            continue;
        writeBlock(block, first ? Place::FirstWritten : Place::Later);
        first = false;
    }
    put("}\n");
    m_out.flush();
    return !m_out.failed();
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
