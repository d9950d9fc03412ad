#include "rtf/RtfDocumentBuilder.h"

#include "format/FormatValues.h"
#include "format/TextFormatProperties.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <atomic>

using namespace TextFormatProperties;

namespace {

// Word writes at most 63 columns; further cells of a row share the last one.
constexpr int MaxColumns = 64;
constexpr int MaxRowsAddedAtOnce = 256;
constexpr int MaxTwips = 100000;

QString uniqueResourceName(QStringView kind)
{
    static std::atomic<quint64> serial{0};
    return QStringLiteral("zorvan-%1-%2").arg(kind).arg(++serial);
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextCursor cursor, const RtfDocumentTables& tables)
    : m_cursor(std::move(cursor)), m_tables(tables)
{
}

void RtfDocumentBuilder::begin()
{
    m_cursor.beginEditBlock();
    if (m_cursor.hasSelection())
        m_cursor.removeSelectedText();
}

void RtfDocumentBuilder::finish()
{
    // The last \par of the file is the document's own final paragraph mark.
    // The text after an insertion point goes on in a paragraph of the default format.
    if (m_pendingBreak && !m_cursor.atEnd())
        openPendingParagraph(QTextBlockFormat());
    m_cursor.endEditBlock();
}

// Text.

void RtfDocumentBuilder::startNewRun(const CharState& chars, const ParaState& para)
{
    flushRun();
    beginContent(para);
    m_runState = chars;
}

namespace {

RtfScript scriptOf(RtfScriptClass kind)
{
    switch (kind) {
    case RtfScriptClass::Asian:
        return RtfScript::Asian;
    case RtfScriptClass::Complex:
        return RtfScript::Complex;
    case RtfScriptClass::Weak:
    case RtfScriptClass::Latin:
        return RtfScript::Latin;
    }
    return RtfScript::Latin;
}

// The font number of text of a script; -1 for the document's default font.
int fontOf(const CharState& state, RtfScript script)
{
    switch (script) {
    case RtfScript::Latin:
        return state.font;
    case RtfScript::Asian:
        return state.eastAsianFont >= 0 ? state.eastAsianFont : state.font;
    case RtfScript::Complex:
        return state.complexFont >= 0 ? state.complexFont : state.font;
    }
    return state.font;
}

int sizeOf(const CharState& state, RtfScript script)
{
    return script == RtfScript::Complex ? state.complexSize : state.size;
}

bool looksDifferent(const CharState& state, RtfScript first, RtfScript second)
{
    return fontOf(state, first) != fontOf(state, second) || sizeOf(state, first) != sizeOf(state, second);
}

} // namespace

void RtfDocumentBuilder::appendCharacter(char16_t character, const CharState& chars, const ParaState& para)
{
    ++m_contentAdded;
    const RtfScriptClass kind = rtfScriptClassOf(character);
    const bool strong = kind != RtfScriptClass::Weak;
    const RtfScript script = scriptOf(kind);
    if (strong && script != m_runScript && !m_run.isEmpty() && m_runState == chars) {
        // A run of weak characters so far takes the script of the first strong one.
        if (m_runHasStrong && looksDifferent(chars, m_runScript, script))
            flushRun();
        else
            m_runScript = script;
    }
    if (m_run.isEmpty() || !(m_runState == chars)) {
        startNewRun(chars, para);
        m_runScript = strong ? script : m_textScript;
        m_runHasStrong = false;
    }
    if (strong) {
        m_runHasStrong = true;
        m_textScript = script;
    }
    m_run.append(QChar(character));
}

bool RtfDocumentBuilder::markNote(qsizetype count, int note, const QString& mark, const ParaState& para)
{
    if (count <= 0 || m_run.size() < count)
        return false;
    CharState chars = m_runState;
    chars.note = note;
    const QString text = mark.isEmpty() ? m_run.right(count) : mark;
    m_run.chop(count);
    for (QChar character : text)
        appendCharacter(character.unicode(), chars, para);
    return true;
}

void RtfDocumentBuilder::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runState, m_runScript));
    m_run.resize(0);
    m_paragraphHasContent = true;
}

QTextCharFormat RtfDocumentBuilder::charFormat(const CharState& state, RtfScript script)
{
    const RunKey key{state, script};
    if (const auto found = m_formats.constFind(key); found != m_formats.cend())
        return *found;
    QTextCharFormat format;
    const int font = fontOf(state, script);
    const int fontNumber = font >= 0 ? font : m_tables.defaultFont;
    if (const auto font = m_tables.fonts.constFind(fontNumber); font != m_tables.fonts.cend()) {
        if (!font->name.isEmpty())
            format.setFontFamilies({font->name});
        setCharCharset(format, font->charset == 1 ? 238 : font->charset);
    }
    setCharSize(format, sizeOf(state, script) * 10);
    if (state.bold)
        format.setFontWeight(QFont::Bold);
    if (state.italic)
        format.setFontItalic(true);
    if (state.underline)
        format.setFontUnderline(true);
    if (state.strike)
        format.setFontStrikeOut(true);
    const auto colorAt = [this](int index) {
        return index >= 0 && index < m_tables.colors.size() ? m_tables.colors.at(index) : QColor();
    };
    setCharTextColor(format, colorAt(state.foreground));
    setCharBackColor(format, state.background > 0 ? colorAt(state.background) : QColor());
    switch (state.script) {
    case RtfScriptPosition::Normal:
        break;
    case RtfScriptPosition::Subscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    case RtfScriptPosition::Superscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    }
    if (state.up != 0)
        setCharOffset(format, state.up * 10);
    if (state.link >= 0 && state.link < m_tables.linkTargets.size())
        setCharLink(format, m_tables.linkTargets.at(state.link));
    if (state.field >= 0 && state.field < m_tables.fieldInstructions.size())
        format.setProperty(CharFieldInstruction, m_tables.fieldInstructions.at(state.field));
    if (state.note >= 0 && state.note < m_tables.notes.size()) {
        format.setProperty(CharNoteRtf, m_tables.notes.at(state.note).rtf);
        format.setProperty(CharNoteNumbered, m_tables.notes.at(state.note).numbered);
        format.setProperty(CharNoteCodePage, m_tables.notes.at(state.note).codePage);
    }
    if (state.protect)
        format.setProperty(CharProtected, true);
    setCharLanguage(format, state.language >= 0 ? state.language : m_tables.defaultLanguage);
    setCharNoProof(format, state.noProof);
    setCharHidden(format, state.hidden);
    m_formats.insert(key, format);
    return format;
}

// Structure.

void RtfDocumentBuilder::beginContent(const ParaState& para)
{
    if (para.inTable && !m_table.table)
        startTable();
    else if (!para.inTable && m_table.table)
        leaveTable();
    TableCursor& table = m_table;
    if (table.table && (table.rowEnded || table.cellEnded)) {
        bool tooManyColumns = false;
        if (table.rowEnded) {
            ++table.row;
            table.column = 0;
            // Rows are added in growing batches and the unused ones removed when the table
            // ends: each change of a table's shape makes Qt rebuild its grid of all cells.
            if (table.row >= table.table->rows())
                table.table->appendRows(std::clamp(table.table->rows(), 1, MaxRowsAddedAtOnce));
        } else if (table.column + 1 < MaxColumns) {
            ++table.column;
            if (table.column >= table.table->columns())
                table.table->appendColumns(1);
        } else {
            tooManyColumns = true;
        }
        table.rowEnded = table.cellEnded = false;
        const QTextTableCell cell = table.table->cellAt(table.row, table.column);
        m_cursor = tooManyColumns ? cell.lastCursorPosition() : cell.firstCursorPosition();
        leaveParagraph();
        if (tooManyColumns)
            m_cursor.insertText(QStringLiteral("\t"));
        m_pendingBreak = false;
    }
    openPendingParagraph(m_lastBlockFormat ? m_lastBlockFormat->format : QTextBlockFormat());
}

void RtfDocumentBuilder::openPendingParagraph(const QTextBlockFormat& format)
{
    if (!m_pendingBreak)
        return;
    m_pendingBreak = false;
    m_cursor.insertBlock(format, QTextCharFormat());
    m_openedWith = format;
}

void RtfDocumentBuilder::endParagraph(ParagraphEnd end, const ParaState& para, const CharState& mark)
{
    flushRun();
    beginContent(para);
    // An empty paragraph is as high as the characters of its paragraph mark,
    // which Qt keeps as the block's character format.
    if (m_cursor.block().length() == 1) {
        const QTextCharFormat format = charFormat(mark, RtfScript::Latin);
        if (m_cursor.blockCharFormat() != format)
            m_cursor.setBlockCharFormat(format);
    }
    applyParagraphFormat(para);
    m_pageBreakNext = end == ParagraphEnd::PageBreak;
    m_pendingBreak = true;
    m_paragraphHasContent = false;
    m_textScript = RtfScript::Latin;
}

void RtfDocumentBuilder::endText(const ParaState& para)
{
    flushRun();
    if (m_table.table)
        leaveTable();
    if (!m_pendingBreak && m_paragraphHasContent)
        applyParagraphFormat(para);
    m_paragraphHasContent = false;
}

RtfDocumentBuilder::Numbering RtfDocumentBuilder::numbering(const ParaState& para) const
{
    Numbering result;
    ListItemValues& item = result.item;
    const PnState& pn = para.pn;
    if (para.listOverride > 0) {
        const int listId = m_tables.listOverrides.value(para.listOverride, -1);
        const auto definition = m_tables.listDefinitions.constFind(listId);
        item.level = para.listLevel;
        result.list = qint64(1) << 32 | para.listOverride;
        if (definition != m_tables.listDefinitions.cend() && para.listLevel < definition->size()) {
            item.numbering = definition->at(para.listLevel).numbering;
            item.start = definition->at(para.listLevel).start;
            item.levelText = definition->at(para.listLevel).levelText;
            item.legal = definition->at(para.listLevel).legal;
            // The old-style numbering beside a numbered list says how the number
            // is written; without it, "1." as word processors show it.
            if (pn.numbering == 0 || pn.numbering == PFN_BULLET)
                item.style = PFNS_PERIOD;
            else
                item.style = pn.style.value_or(PFNS_PLAIN);
            item.numberingTab = pn.indent;
            return result;
        }
        if (pn.numbering == 0) {
            item.numbering = PFN_BULLET;
            item.style = 0;
            item.numberingTab = pn.indent;
            return result;
        }
    }
    if (pn.numbering != 0) {
        item.numbering = pn.numbering;
        item.start = pn.start;
        // A bullet has no number to write: its style is the usual one.
        if (pn.numbering == PFN_BULLET)
            item.style = PFNS_PERIOD;
        else
            item.style = pn.style.value_or(PFNS_PLAIN);
        item.level = std::max(0, pn.level - 1);
        item.numberingTab = pn.indent;
        result.list = qint64(2) << 32 | pn.numbering;
    }
    return result;
}

const QTextBlockFormat& RtfDocumentBuilder::blockFormat(const ParaState& para, const Numbering& list)
{
    const bool pageBreak = para.pageBreakBefore || m_pageBreakNext;
    if (!m_lastBlockFormat || !(m_lastBlockFormat->para == para) || !(m_lastBlockFormat->numbering == list) ||
        m_lastBlockFormat->pageBreak != pageBreak)
        m_lastBlockFormat = MadeBlockFormat{para, list, pageBreak, makeBlockFormat(para, list)};
    return m_lastBlockFormat->format;
}

QTextBlockFormat RtfDocumentBuilder::makeBlockFormat(const ParaState& para, const Numbering& list) const
{
    const ParagraphValues values{para.alignment,   para.firstIndent,  para.leftIndent,
                                 para.rightIndent, para.spaceBefore,  para.spaceAfter,
                                 para.lineSpacing, para.lineMultiple, para.pageBreakBefore || m_pageBreakNext,
                                 para.tabs};
    QTextBlockFormat format = blockFormatOf(values, list.item);
    if (para.drawing >= 0 && para.drawing < m_tables.drawings.size())
        format.setProperty(BlockDrawingRtf, m_tables.drawings.at(para.drawing));
    return format;
}

void RtfDocumentBuilder::setParagraphFormat(const QTextBlockFormat& format)
{
    if (!m_openedWith || !(*m_openedWith == format))
        m_cursor.setBlockFormat(format);
    leaveParagraph();
}

void RtfDocumentBuilder::applyParagraphFormat(const ParaState& para)
{
    Numbering list = numbering(para);
    if (list.item.numbering == 0) {
        m_lists.endAll();
        setParagraphFormat(blockFormat(para, list));
        m_pageBreakNext = false;
        return;
    }
    list.item.start += m_lists.enter(list.list, list.item.level);
    setParagraphFormat(blockFormat(para, list));
    m_pageBreakNext = false;
    m_lists.add(m_cursor, list.list, list.item.level, list.item.numbering);
}

// Tables.

void RtfDocumentBuilder::addCellBoundary(int twips)
{
    if (m_cellBoundaries.size() < MaxColumns)
        m_cellBoundaries.append(std::clamp(twips, -MaxTwips, MaxTwips));
}

void RtfDocumentBuilder::startTable()
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
    m_table = TableCursor{m_cursor.insertTable(1, columns, format)};
    m_pendingBreak = false;
    m_cursor = m_table.table->cellAt(0, 0).firstCursorPosition();
    leaveParagraph();
}

void RtfDocumentBuilder::leaveTable()
{
    QTextTable* table = m_table.table;
    if (table->rows() > m_table.row + 1)
        table->removeRows(m_table.row + 1, table->rows() - m_table.row - 1);
    m_cursor.setPosition(table->lastPosition() + 1);
    leaveParagraph();
    m_table = TableCursor();
    m_pendingBreak = false;
    m_paragraphHasContent = false;
}

void RtfDocumentBuilder::endCell(const ParaState& para)
{
    flushRun();
    beginContent(para);
    applyParagraphFormat(para);
    m_table.cellEnded = true;
    m_paragraphHasContent = false;
    m_textScript = RtfScript::Latin;
}

void RtfDocumentBuilder::endRow()
{
    flushRun();
    if (!m_table.table)
        return;
    m_table.cellEnded = false;
    m_table.rowEnded = true;
}

// Pictures.

void RtfDocumentBuilder::insertPicture(const RtfInsertedPicture& picture, const CharState& chars,
                                       const ParaState& para)
{
    flushRun();
    beginContent(para);
    QString name;
    if (picture.image.isNull()) {
        name = placeholderName();
    } else {
        name = uniqueResourceName(u"picture");
        m_cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), picture.image);
    }
    QTextImageFormat format;
    format.merge(charFormat(chars, RtfScript::Latin));
    format.setName(name);
    format.setWidth(std::min<qreal>(picture.size.width(), 10000));
    format.setHeight(std::min<qreal>(picture.size.height(), 10000));
    if (!picture.keptKind.isEmpty()) {
        format.setProperty(ObjectPictureKind, picture.keptKind);
        format.setProperty(ObjectPictureData, picture.data);
    }
    if (!picture.keptRtf.isEmpty())
        format.setProperty(ObjectRtf, picture.keptRtf);
    m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    m_paragraphHasContent = true;
    ++m_picturesInserted;
}

QString RtfDocumentBuilder::placeholderName()
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
    m_cursor.document()->addResource(QTextDocument::ImageResource, QUrl(m_placeholder), image);
    return m_placeholder;
}
