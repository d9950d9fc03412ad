#include "office/DocxBodyReader.h"

#include "format/TextFormatProperties.h"
#include "office/DocxNotes.h"
#include "office/DocxNumbering.h"
#include "office/DocxStyles.h"
#include "office/DocxTableBuilder.h"
#include "office/OfficeRelationships.h"
#include "office/OfficeXml.h"

#include <QRegularExpression>
#include <QTextDocument>

using namespace OfficeXml;
using namespace TextFormatProperties;

namespace {

// The text size of Word when no style gives one: 10 points.
constexpr int DefaultHalfPoints = 20;
// Drawings measure in English metric units: 914400 an inch, 9525 a pixel at 96 dpi.
constexpr double EmuPerPixel = 9525;

// The target of a HYPERLINK field instruction: its address, or "#name" for \l "name".
QString hyperlinkTarget(const QString& instruction)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re(^\s*HYPERLINK\s+(?:(\\l)\s+)?(?:"([^"]*)"|(\S+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(instruction);
    if (!match.hasMatch())
        return {};
    const QString target = match.captured(2).isEmpty() ? match.captured(3) : match.captured(2);
    return match.captured(1).isEmpty() ? target : u'#' + target;
}

} // namespace

DocxBodyReader::DocxBodyReader(QTextCursor cursor, const DocxStyles& styles, const DocxNumbering& numbering,
                               const OfficeRelationships& relationships, ZipArchive& archive,
                               qint64 pictureLimit)
    : m_cursor(std::move(cursor)), m_styles(styles), m_numbering(numbering), m_relationships(relationships),
      m_pictures(archive, pictureLimit, QStringLiteral("docx-picture"))
{
}

bool DocxBodyReader::readNotes(const QByteArray& part)
{
    m_notesPart = true;
    XmlPartReader xml(part);
    return read(xml);
}

bool DocxBodyReader::read(XmlPartReader& xml)
{
    m_xml = &xml;
    if (enterRoot(xml)) {
        while (m_xml->readNextStartElement()) {
            if (m_xml->name() == u"body" && !m_notesPart)
                readBlocks();
            else if (m_xml->name() == u"footnote" && m_notesPart)
                readNote(RtfNoteGroup::Kind::Footnote);
            else if (m_xml->name() == u"endnote" && m_notesPart)
                readNote(RtfNoteGroup::Kind::Endnote);
            else
                m_xml->skipCurrentElement();
        }
    }
    m_xml = nullptr;
    if (xml.hasError()) {
        m_error = QStringLiteral("document: %1").arg(xml.errorString());
        return false;
    }
    return true;
}

void DocxBodyReader::readBlocks()
{
    readChildren(*m_xml, m_nesting, [this] { readBlockElement(); });
}

// A note of a notes part, read into a document of its own. The separator lines and notices
// that Word keeps as notes of other types are not notes of the text.
void DocxBodyReader::readNote(RtfNoteGroup::Kind kind)
{
    const QStringView type = attribute(*m_xml, QLatin1StringView("type"));
    if (!m_notes || (!type.isEmpty() && type != u"normal")) {
        m_xml->skipCurrentElement();
        return;
    }
    const QString id = attribute(*m_xml, QLatin1StringView("id")).toString();
    auto note = std::make_unique<QTextDocument>();
    m_cursor = QTextCursor(note.get());
    m_blockFresh = true;
    m_lists = ListRuns();
    m_pageBreakPending = false;
    readBlocks();
    m_cursor = QTextCursor();
    m_notes->add(kind, id, std::move(note));
}

void DocxBodyReader::readBlockElement()
{
    const QStringView name = m_xml->name();
    if (name == u"p")
        readParagraph();
    else if (name == u"tbl")
        readTable();
    else if (name == u"sdt" || name == u"sdtContent" || name == u"customXml" || name == u"ins")
        readBlocks();
    else
        m_xml->skipCurrentElement();
}

// Tables.

void DocxBodyReader::readTable()
{
    const Nesting nesting(m_nesting);
    // A table within a cell takes nothing of the outer table's style.
    const QString outerStyle = std::exchange(m_tableStyle, m_styles.tableStyle(QString()));
    QList<int> columnWidths;
    std::optional<DocxTableBuilder> table;
    while (m_xml->readNextStartElement()) {
        if (m_xml->name() == u"tblPr") {
            while (m_xml->readNextStartElement()) {
                if (m_xml->name() == u"tblStyle")
                    m_tableStyle =
                        m_styles.tableStyle(attribute(*m_xml, QLatin1StringView("val")).toString());
                m_xml->skipCurrentElement();
            }
        } else if (m_xml->name() == u"tblGrid") {
            while (m_xml->readNextStartElement()) {
                columnWidths.append(number(*m_xml, QLatin1StringView("w")).value_or(0));
                m_xml->skipCurrentElement();
            }
        } else if (m_xml->name() == u"tr") {
            if (!table)
                table.emplace(m_cursor, columnWidths);
            table->startRow();
            while (m_xml->readNextStartElement()) {
                if (m_xml->name() == u"tc" && nesting.allowsMore())
                    readCell(*table);
                else
                    m_xml->skipCurrentElement();
            }
        } else {
            m_xml->skipCurrentElement();
        }
    }
    m_tableStyle = outerStyle;
    if (!table)
        return;
    m_cursor = table->finish();
    m_blockFresh = true;
}

void DocxBodyReader::readCell(DocxTableBuilder& table)
{
    int span = 1;
    auto merge = DocxTableBuilder::VerticalMerge::None;
    bool started = false;
    bool merged = false; // the cell continues the one above: its content is that one's
    while (m_xml->readNextStartElement()) {
        if (m_xml->name() == u"tcPr" && !started) {
            while (m_xml->readNextStartElement()) {
                if (m_xml->name() == u"gridSpan")
                    span = number(*m_xml, QLatin1StringView("val")).value_or(1);
                else if (m_xml->name() == u"vMerge")
                    merge = attribute(*m_xml, QLatin1StringView("val")) == u"restart"
                                ? DocxTableBuilder::VerticalMerge::Restart
                                : DocxTableBuilder::VerticalMerge::Continue;
                m_xml->skipCurrentElement();
            }
            continue;
        }
        if (!started) {
            started = true;
            const std::optional<QTextCursor> cell = table.startCell(span, merge);
            merged = !cell;
            if (cell) {
                m_cursor = *cell;
                m_blockFresh = true;
            }
        }
        if (merged)
            m_xml->skipCurrentElement();
        else
            readBlockElement();
    }
    if (!started)
        table.startCell(span, merge);
}

// Paragraphs.

void DocxBodyReader::readParagraph()
{
    DocxParagraphProperties own;
    m_paragraphStarted = false;
    m_paragraphHasText = false;
    m_fields.clear();
    while (m_xml->readNextStartElement()) {
        if (m_xml->name() == u"pPr" && !m_paragraphStarted) {
            own.read(*m_xml);
            continue;
        }
        if (!m_paragraphStarted)
            startParagraph(own);
        readInlineElement(QString());
    }
    if (!m_paragraphStarted)
        startParagraph(own);
}

void DocxBodyReader::startParagraph(const DocxParagraphProperties& own)
{
    m_paragraphStarted = true;
    m_paragraphStyle = own.style;
    // Style, then list level, then the paragraph's own properties.
    DocxParagraphProperties properties = m_styles.paragraphProperties(own.style, m_tableStyle);
    DocxParagraphProperties numbered = properties;
    numbered.merge(own);
    ListItemValues item;
    const int numberingId = numbered.numberingId.value_or(0);
    const int level = numbered.level.value_or(0);
    const std::optional<DocxNumbering::Level> listLevel =
        numberingId > 0 ? m_numbering.level(numberingId, level) : std::nullopt;
    if (listLevel) {
        properties.merge(listLevel->paragraphProperties);
        item.numbering = listLevel->numbering;
        item.start = listLevel->start;
        item.style = listLevel->style;
        item.level = level;
        item.legal = listLevel->legal;
        if (item.numbering != PFN_BULLET)
            item.levelText = listLevel->levelText;
    }
    properties.merge(own);
    ParagraphValues values = properties.values();
    if (m_pageBreakPending) {
        values.pageBreakBefore = true;
        m_pageBreakPending = false;
    }
    // A list of Word goes on over the paragraphs between its items.
    if (item.numbering != 0)
        item.start += m_lists.enter(numberingId, level);
    m_blockFormat = blockFormatOf(values, item);
    DocxRunProperties mark = m_styles.runProperties(own.style, own.markRun.style, m_tableStyle);
    mark.merge(own.markRun);
    m_markFormat = charFormat(mark, QString());
    if (m_blockFresh) {
        m_cursor.setBlockFormat(m_blockFormat);
        m_cursor.setBlockCharFormat(m_markFormat);
        m_blockFresh = false;
    } else {
        QTextBlockFormat format = m_blockFormat;
        if (item.numbering != 0)
            m_lists.join(format, numberingId, level);
        m_cursor.insertBlock(format, m_markFormat);
    }
    if (item.numbering != 0)
        m_lists.add(m_cursor, numberingId, level, item.numbering);
}

void DocxBodyReader::pageBreak()
{
    if (!m_paragraphHasText) {
        QTextBlockFormat format = m_cursor.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_cursor.setBlockFormat(format);
        return;
    }
    // Text after the break goes on in a paragraph of its own on the next page.
    m_pageBreakPending = true;
}

void DocxBodyReader::insertText(const QString& text, const QTextCharFormat& format)
{
    if (text.isEmpty())
        return;
    if (m_pageBreakPending && m_paragraphHasText) {
        QTextBlockFormat format = m_blockFormat;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_cursor.insertBlock(format, m_markFormat);
        m_pageBreakPending = false;
    }
    m_cursor.insertText(plainText(text), format);
    m_paragraphHasText = true;
}

// Runs.

void DocxBodyReader::readInline(const QString& link)
{
    readChildren(*m_xml, m_nesting, [&] { readInlineElement(link); });
}

void DocxBodyReader::readInlineElement(const QString& link)
{
    const QStringView name = m_xml->name();
    if (name == u"r") {
        readRun(link);
    } else if (name == u"hyperlink") {
        const QStringView anchor = attribute(*m_xml, QLatin1StringView("anchor"));
        QString target =
            m_relationships.externalTarget(attribute(*m_xml, QLatin1StringView("id")).toString());
        if (target.isEmpty() && !anchor.isEmpty())
            target = u'#' + anchor.toString();
        readInline(target.isEmpty() ? link : target);
    } else if (name == u"fldSimple") {
        const QString target = hyperlinkTarget(attribute(*m_xml, QLatin1StringView("instr")).toString());
        readInline(target.isEmpty() ? link : target);
    } else if (name == u"ins" || name == u"smartTag" || name == u"customXml" || name == u"sdt" ||
               name == u"sdtContent" || name == u"moveTo" || name == u"dir" || name == u"bdo") {
        readInline(link);
    } else {
        m_xml->skipCurrentElement();
    }
}

void DocxBodyReader::readRun(const QString& link)
{
    DocxRunProperties own;
    std::optional<QTextCharFormat> format;
    const auto runFormat = [&]() -> const QTextCharFormat& {
        if (!format) {
            DocxRunProperties properties = m_styles.runProperties(m_paragraphStyle, own.style, m_tableStyle);
            properties.merge(own);
            format = charFormat(properties, fieldLink(link));
        }
        return *format;
    };
    QString text;
    std::optional<NoteReference> customNote; // a note whose mark is the run's text that follows
    const auto flush = [&] {
        if (customNote)
            insertNoteMark(*std::exchange(customNote, std::nullopt), text, runFormat());
        else if (!text.isEmpty() && !inFieldInstruction())
            insertText(text, runFormat());
        text.clear();
    };
    while (m_xml->readNextStartElement()) {
        const QStringView name = m_xml->name();
        if (name == u"rPr") {
            own.read(*m_xml);
            format.reset();
            continue;
        }
        if (name == u"t") {
            text += m_xml->readElementText();
            continue;
        }
        if (name == u"tab") {
            text += u'\t';
        } else if (name == u"cr") {
            text += QChar::LineSeparator;
        } else if (name == u"br") {
            const QStringView type = attribute(*m_xml, QLatin1StringView("type"));
            if (type == u"page") {
                flush();
                pageBreak();
            } else {
                text += QChar::LineSeparator;
            }
        } else if (name == u"noBreakHyphen") {
            text += QChar(0x2011);
        } else if (name == u"softHyphen") {
            text += QChar(0x00AD);
        } else if (name == u"sym") {
            bool ok = false;
            const uint code = attribute(*m_xml, QLatin1StringView("char")).toUInt(&ok, 16);
            if (ok && code > 0x1F && code < 0xFFFE)
                text += QChar(char16_t(code));
        } else if (name == u"drawing" || name == u"pict") {
            flush();
            if (!inFieldInstruction())
                readPicture(runFormat());
            else
                m_xml->skipCurrentElement();
            continue;
        } else if (name == u"footnoteReference" || name == u"endnoteReference") {
            flush();
            const NoteReference note{name == u"endnoteReference" ? RtfNoteGroup::Kind::Endnote
                                                                 : RtfNoteGroup::Kind::Footnote,
                                     attribute(*m_xml, QLatin1StringView("id")).toString()};
            if (isOnAttribute(*m_xml, QLatin1StringView("customMarkFollows")))
                customNote = note;
            else
                insertNoteMark(note, QString(), runFormat());
        } else if (name == u"fldChar") {
            flush();
            readFieldCharacter();
            format.reset(); // the link of a field's result may have begun or ended
        } else if (name == u"instrText") {
            if (!m_fields.isEmpty() && !m_fields.last().separated)
                m_fields.last().instruction += m_xml->readElementText();
            else
                m_xml->skipCurrentElement();
            continue;
        }
        m_xml->skipCurrentElement();
    }
    flush();
}

// The reference mark of a note, which carries the note.
void DocxBodyReader::insertNoteMark(const NoteReference& note, const QString& customMark,
                                    const QTextCharFormat& format)
{
    if (inFieldInstruction() || !m_notes)
        return;
    const DocxNotes::Mark mark = m_notes->mark(note.kind, note.id, customMark, format);
    insertText(mark.text, mark.format);
}

// Fields.

void DocxBodyReader::readFieldCharacter()
{
    const QStringView type = attribute(*m_xml, QLatin1StringView("fldCharType"));
    if (type == u"begin")
        m_fields.append(Field());
    else if (type == u"separate" && !m_fields.isEmpty())
        m_fields.last().separated = true;
    else if (type == u"end" && !m_fields.isEmpty())
        m_fields.removeLast();
}

bool DocxBodyReader::inFieldInstruction() const
{
    return std::any_of(m_fields.cbegin(), m_fields.cend(),
                       [](const Field& field) { return !field.separated; });
}

QString DocxBodyReader::fieldLink(const QString& link) const
{
    for (auto field = m_fields.crbegin(); field != m_fields.crend(); ++field)
        if (const QString target = hyperlinkTarget(field->instruction); !target.isEmpty())
            return target;
    return link;
}

// Pictures.

void DocxBodyReader::readPicture(const QTextCharFormat& format)
{
    // A drawing's size is its extent in EMU; an old VML shape's is in its style, in points.
    static const QRegularExpression pointSize(QStringLiteral(R"((width|height)\s*:\s*([0-9.]+)pt)"));
    QSizeF size;
    QString id;
    for (int depth = 1; depth > 0 && !m_xml->atEnd();) {
        const QXmlStreamReader::TokenType token = m_xml->readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QStringView name = m_xml->name();
        if (name == u"extent" && size.isEmpty()) {
            size = QSizeF(attribute(*m_xml, QLatin1StringView("cx")).toDouble() / EmuPerPixel,
                          attribute(*m_xml, QLatin1StringView("cy")).toDouble() / EmuPerPixel);
        } else if (name == u"shape" && size.isEmpty()) {
            QRegularExpressionMatchIterator matches =
                pointSize.globalMatch(attribute(*m_xml, QLatin1StringView("style")));
            while (matches.hasNext()) {
                const QRegularExpressionMatch match = matches.next();
                const double pixels = match.captured(2).toDouble() * 4 / 3;
                if (match.captured(1) == u"width")
                    size.setWidth(pixels);
                else
                    size.setHeight(pixels);
            }
        } else if (name == u"blip" && id.isEmpty()) {
            id = attribute(*m_xml, QLatin1StringView("embed")).toString();
        } else if (name == u"imagedata" && id.isEmpty()) {
            id = attribute(*m_xml, QLatin1StringView("id")).toString();
        }
    }
    if (!id.isEmpty() && !m_xml->hasError())
        insertPicture(id, size, format);
}

void DocxBodyReader::insertPicture(const QString& id, QSizeF size, const QTextCharFormat& format)
{
    const QString part = m_relationships.part(id);
    if (part.isEmpty())
        return; // a linked picture, outside the document
    switch (m_pictures.insert(m_cursor, part, size, format)) {
    case OfficePictures::Result::Inserted:
        m_paragraphHasText = true;
        break;
    case OfficePictures::Result::NotAPicture:
        break;
    case OfficePictures::Result::Failed:
        m_xml->raiseError(m_pictures.errorString());
        break;
    }
}

// Formats.

QTextCharFormat DocxBodyReader::charFormat(const DocxRunProperties& properties, const QString& link)
{
    FormatKey key{properties, link};
    if (const auto found = m_formats.constFind(key); found != m_formats.cend())
        return *found;
    QTextCharFormat format;
    if (const QString font = properties.font ? m_styles.fontName(*properties.font) : QString();
        !font.isEmpty())
        format.setFontFamilies({font});
    setCharSize(format, properties.size.value_or(DefaultHalfPoints) * 10);
    if (properties.bold.value_or(false))
        format.setFontWeight(QFont::Bold);
    if (properties.italic.value_or(false))
        format.setFontItalic(true);
    if (properties.underline.value_or(false))
        format.setFontUnderline(true);
    if (properties.strike.value_or(false))
        format.setFontStrikeOut(true);
    setCharTextColor(format, properties.color.value_or(QColor()));
    setCharBackColor(format, properties.background.value_or(QColor()));
    switch (properties.position.value_or(DocxRunProperties::Baseline)) {
    case DocxRunProperties::Baseline:
        break;
    case DocxRunProperties::Subscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    case DocxRunProperties::Superscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    }
    if (const int raise = properties.raise.value_or(0); raise != 0)
        setCharOffset(format, raise * 10);
    setCharHidden(format, properties.hidden.value_or(false));
    setCharNoProof(format, properties.noProof.value_or(false));
    setCharLanguage(format, properties.language.value_or(0));
    if (!link.isEmpty())
        setCharLink(format, link);
    m_formats.insert(std::move(key), format);
    return format;
}
