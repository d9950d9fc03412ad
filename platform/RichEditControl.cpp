#include "platform/RichEditControl.h"

#include "format/TextFormatProperties.h"
#include "platform/CharFormatConversion.h"
#include "platform/EditStreamIo.h"
#include "platform/PlainTextCodec.h"
#include "platform/RichEditNotify.h"
#include "platform/SelectionBar.h"
#include "platform/TextLineIndex.h"
#include "platform/UrlHighlighter.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

#include <algorithm>
#include <cstring>

namespace {

using namespace TextFormatProperties;

constexpr QChar ObjectCharacter = QChar::ObjectReplacementCharacter;

bool isParagraphEnd(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1) ||
           c == QLatin1Char('\n');
}

using PlainTextCodec::normalisedBreaks;

// Runs `visit(charFormat, from, to)` over the format runs of [from, to).
template <typename Visit> void forEachRun(const QTextDocument* document, int from, int to, Visit visit)
{
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start < end && !visit(fragment.charFormat(), start, end))
                return;
        }
    }
}

} // namespace

RichEditControl::RichEditControl(const RichEditStyle& style, QWidget* parent)
    : QTextEdit(parent), m_style(style)
{
    setAcceptRichText(true);
    setLineWrapMode(style.wordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    const auto policy = [&](bool wanted) {
        if (!wanted)
            return Qt::ScrollBarAlwaysOff;
        return style.disableNoScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
    };
    setVerticalScrollBarPolicy(policy(style.verticalScrollBar));
    setHorizontalScrollBarPolicy(policy(style.horizontalScrollBar));
    if (style.selectionBar) {
        m_selectionBar = new SelectionBar(this);
        setViewportMargins(SelectionBar::Width, 0, 0, 0);
    }
    m_lineIndex = new TextLineIndex(document());
    m_urlHighlighter = new UrlHighlighter(document());
    applyDefaultFont();
    connectDocument();
    connect(this, &QTextEdit::selectionChanged, this, &RichEditControl::onSelectionChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &RichEditControl::onSelectionChanged);
}

RichEditControl::~RichEditControl() = default;

void RichEditControl::connectDocument()
{
    QTextDocument* doc = document();
    connect(doc, &QTextDocument::contentsChanged, this, [this] {
        if ((m_eventMask & ENM_CHANGE) && m_notify)
            m_notify->notifyChange();
    });
    connect(doc, &QTextDocument::undoCommandAdded, this, &RichEditControl::onUndoCommandAdded);
    connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &RichEditControl::onDocumentSizeChanged);
}

void RichEditControl::adoptDocument(QTextDocument* adopted)
{
    // The adopted document brings its own link highlighter and line index.
    const bool urls = m_autoUrlDetect;
    if (m_urlHighlighter)
        m_urlHighlighter->setDocument(nullptr);
    delete m_urlHighlighter;
    m_urlHighlighter = adopted->findChild<UrlHighlighter*>(QString(), Qt::FindDirectChildrenOnly);
    m_autoUrlDetect = m_urlHighlighter != nullptr;
    setDocument(adopted);
    adopted->clearUndoRedoStacks();
    m_undoDepth = m_redoDepth = 0;
    m_lineIndex = adopted->findChild<TextLineIndex*>(QString(), Qt::FindDirectChildrenOnly);
    if (!m_lineIndex)
        m_lineIndex = new TextLineIndex(adopted);
    m_lineIndex->invalidate();
    connectDocument();
    AutoUrlDetect(urls);
    SetSel(0, 0);
}

// --- Selection -------------------------------------------------------------

int RichEditControl::GetTextLength() const
{
    return std::max(0, document()->characterCount() - 1);
}

int RichEditControl::clampPosition(int position) const
{
    return std::clamp(position, 0, GetTextLength());
}

CHARRANGE RichEditControl::ExGetSel() const
{
    const QTextCursor cursor = textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
}

void RichEditControl::ExSetSel(CHARRANGE range)
{
    const int length = GetTextLength();
    int start = range.cpMin;
    int end = range.cpMax;
    if (start < 0) { // a negative start removes the selection, keeping the caret where it is
        start = end = textCursor().position();
    } else if (end < 0) { // EndOfText
        end = length;
    }
    start = clampPosition(start);
    end = clampPosition(end);
    if (end < start)
        std::swap(start, end);
    QTextCursor cursor(document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    // Setting the cursor scrolls it into view in QTextEdit; selecting does not
    // scroll here, so the scroll position is put back.
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    setTextCursor(cursor);
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
}

void RichEditControl::SetSel(LONG start, LONG end)
{
    if (start == 0 && end == EndOfText)
        end = GetTextLength();
    ExSetSel({start, end});
}

void RichEditControl::ScrollCaret()
{
    ensureCursorVisible();
}

WORD RichEditControl::SelectionType() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return SEL_EMPTY;
    int objects = 0;
    int characters = 0;
    const QString text = TextRange({cursor.selectionStart(), cursor.selectionEnd()});
    for (QChar c : text)
        (c == ObjectCharacter ? objects : characters)++;
    WORD kind = SEL_EMPTY;
    if (characters > 0)
        kind |= SEL_TEXT;
    if (characters > 1)
        kind |= SEL_MULTICHAR;
    if (objects == 1)
        kind |= SEL_OBJECT;
    if (objects > 1)
        kind |= SEL_MULTIOBJECT;
    return kind;
}

void RichEditControl::HideSelection(bool hide, bool changeStyle)
{
    if (changeStyle)
        m_style.noHideSelection = !hide;
    m_unfocusedSelection = hide ? UnfocusedSelection::Hidden : UnfocusedSelection::Shown;
    applyPalette();
}

void RichEditControl::applyPalette()
{
    // Only the roles set here are the control's own; every other role follows
    // the application's and the parents' palette, so that text in the automatic
    // colour stays readable on a dark desktop palette too.
    const QPalette current = palette();
    QPalette colors;
    if (m_background.isValid())
        colors.setColor(QPalette::Base, m_background);
    // QTextEdit always shows the selection; without focus it is drawn in the
    // inactive colours, which is what keeping it visible means here. Hiding it
    // while unfocused is done by painting the inactive highlight transparent.
    switch (m_unfocusedSelection) {
    case UnfocusedSelection::PaletteDefault:
        break;
    case UnfocusedSelection::Shown:
        colors.setColor(QPalette::Inactive, QPalette::Highlight,
                        current.color(QPalette::Active, QPalette::Highlight));
        colors.setColor(QPalette::Inactive, QPalette::HighlightedText,
                        current.color(QPalette::Active, QPalette::HighlightedText));
        break;
    case UnfocusedSelection::Hidden:
        colors.setColor(QPalette::Inactive, QPalette::Highlight, QColor(Qt::transparent));
        colors.setColor(QPalette::Inactive, QPalette::HighlightedText,
                        current.color(QPalette::Active, QPalette::Text));
        break;
    }
    setPalette(colors);
}

// --- Text and lines --------------------------------------------------------

LONG RichEditControl::ExLineFromChar(LONG position) const
{
    if (position < 0)
        position = textCursor().selectionStart();
    return m_lineIndex->lineOfPosition(position);
}

LONG RichEditControl::LineIndex(LONG line) const
{
    if (line < 0)
        line = ExLineFromChar(AtCaret);
    return m_lineIndex->firstPositionOfLine(line);
}

LONG RichEditControl::lineLengthOf(LONG line) const
{
    int lineInBlock = 0;
    const QTextBlock block = m_lineIndex->blockOfLine(line, &lineInBlock);
    if (!block.isValid())
        return 0;
    const QTextLayout* layout = block.layout();
    if (!layout || lineInBlock >= layout->lineCount())
        return block.length() - 1;
    const QTextLine textLine = layout->lineAt(lineInBlock);
    int length = textLine.textLength();
    // A wrapped line's trailing blank belongs to the line; the paragraph break does not.
    if (textLine.textStart() + length > block.length() - 1)
        length = block.length() - 1 - textLine.textStart();
    return std::max(0, length);
}

LONG RichEditControl::LineLength(LONG position) const
{
    if (position < 0) { // the lines touched by the selection, less the selected characters
        const QTextCursor cursor = textCursor();
        if (!cursor.hasSelection())
            return lineLengthOf(ExLineFromChar(AtCaret));
        const int first = m_lineIndex->lineOfPosition(cursor.selectionStart());
        const int last = m_lineIndex->lineOfPosition(cursor.selectionEnd());
        const int unselectedBefore = cursor.selectionStart() - LineIndex(first);
        const int unselectedAfter = LineIndex(last) + lineLengthOf(last) - cursor.selectionEnd();
        return std::max(0, unselectedBefore) + std::max(0, unselectedAfter);
    }
    return lineLengthOf(m_lineIndex->lineOfPosition(clampPosition(position)));
}

LONG RichEditControl::GetLineCount() const
{
    return m_lineIndex->lineCount();
}

LONG RichEditControl::GetLine(LONG line, char16_t* buffer) const
{
    if (!buffer)
        return 0;
    const int size = buffer[0];
    const int start = m_lineIndex->firstPositionOfLine(line);
    if (start < 0 || size <= 0)
        return 0;
    int length = lineLengthOf(line);
    // A line that ends its paragraph is followed by the paragraph break, which
    // the control copies as CR (the last paragraph has none).
    if (start + length < GetTextLength() && isParagraphEnd(document()->characterAt(start + length)))
        ++length;
    const QString text = TextRange({start, start + length});
    const int count = std::min<int>(size, int(text.size()));
    std::memcpy(buffer, text.utf16(), size_t(count) * sizeof(char16_t));
    return count;
}

QString RichEditControl::TextRange(CHARRANGE range) const
{
    const int length = GetTextLength();
    int from = range.cpMin < 0 ? 0 : std::min<int>(range.cpMin, length);
    int to = range.cpMax < 0 ? length : std::min<int>(range.cpMax, length);
    if (to <= from)
        return {};
    QString result;
    result.reserve(to - from);
    const QTextDocument* doc = document();
    for (QTextBlock block = doc->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int blockStart = block.position();
        const QString text = block.text();
        const int a = std::max(from, blockStart) - blockStart;
        const int b = std::min<int>(to - blockStart, int(text.size()));
        if (b > a)
            result += QStringView(text).mid(a, b - a);
        // The block's break (paragraph, or the start or end of a table) is one CR.
        if (blockStart + text.size() < to)
            result += QLatin1Char('\r');
    }
    // Soft line breaks are vertical tabs, non-breaking spaces stay as they are.
    result.replace(QChar::LineSeparator, QChar(0x0B));
    return result;
}

LONG RichEditControl::GetTextRange(CHARRANGE range, char16_t* buffer) const
{
    if (!buffer)
        return 0;
    const QString text = TextRange(range);
    std::memcpy(buffer, text.utf16(), size_t(text.size()) * sizeof(char16_t));
    buffer[text.size()] = 0;
    return LONG(text.size());
}

QPoint RichEditControl::PosFromChar(LONG position) const
{
    QTextCursor cursor(document());
    cursor.setPosition(clampPosition(position));
    return cursorRect(cursor).topLeft() + viewport()->pos();
}

void RichEditControl::SetRect(const QRect& rect)
{
    m_formatRect = rect;
    const int barWidth = m_selectionBar ? SelectionBar::Width : 0;
    if (rect.isEmpty()) {
        setViewportMargins(barWidth, 0, 0, 0);
        setLineWrapMode(m_style.wordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        return;
    }
    // The document's own margin stays as it is (changing it would be an
    // undoable edit); the viewport moves so that the text starts at the edge.
    const int margin = qRound(document()->documentMargin());
    setViewportMargins(barWidth + std::max(0, rect.left() - frameWidth() - margin),
                       std::max(0, rect.top() - frameWidth() - margin), 0, 0);
    if (m_style.wordWrap) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(rect.width() + 2 * margin);
    }
}

QRect RichEditControl::GetRect() const
{
    if (!m_formatRect.isEmpty())
        return m_formatRect;
    const int margin = qRound(document()->documentMargin());
    return viewport()->geometry().adjusted(margin, margin, -margin, -margin);
}

QString RichEditControl::GetText() const
{
    QString text = TextRange(WholeText);
    text.replace(QLatin1Char('\r'), QLatin1String("\r\n"));
    return text;
}

void RichEditControl::SetText(const QString& text)
{
    replaceAllWithPlainText(normalisedBreaks(text));
    document()->clearUndoRedoStacks();
    m_undoDepth = m_redoDepth = 0;
    SetSel(0, 0);
}

void RichEditControl::replaceAllWithPlainText(const QString& text)
{
    // Inserting over the old text would give the new text the old text's last
    // format; plain text comes in the document's default format instead.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    if (QTextList* list = cursor.currentList())
        list->remove(cursor.block());
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    cursor.insertText(text.left(m_limit), QTextCharFormat());
    cursor.endEditBlock();
}

// --- Editing ---------------------------------------------------------------

QString RichEditControl::fitToLimit(const QString& text, const QTextCursor& cursor) const
{
    const qint64 selected = cursor.selectionEnd() - cursor.selectionStart();
    const qint64 room = std::max<qint64>(0, qint64(m_limit) - (GetTextLength() - selected));
    return text.size() <= room ? text : text.left(room);
}

void RichEditControl::ReplaceSel(bool canUndo, const QString& text)
{
    QTextCursor cursor = textCursor();
    if (!mayChange({EM_REPLACESEL, WPARAM(canUndo), 0}, {cursor.selectionStart(), cursor.selectionEnd()}))
        return;
    const QString inserted = fitToLimit(normalisedBreaks(text), cursor);
    if (!canUndo)
        document()->setUndoRedoEnabled(false);
    // One edit block per replacement, so that each is its own undo step and is
    // not merged with the typing or the replacement next to it.
    cursor.beginEditBlock();
    cursor.insertText(inserted);
    cursor.endEditBlock();
    if (!canUndo) {
        // Replacing without undo empties the undo history, as the platform does.
        document()->setUndoRedoEnabled(m_undoLimit > 0);
        m_undoDepth = m_redoDepth = 0;
    }
    setTextCursor(cursor);
}

void RichEditControl::ExLimitText(LONG limit)
{
    m_limit = limit <= 0 ? DefaultTextLimit : limit;
}

int RichEditControl::effectiveUndoLimit() const
{
    return (m_textMode & TM_SINGLELEVELUNDO) ? std::min<LONG>(1, m_undoLimit) : m_undoLimit;
}

void RichEditControl::onUndoCommandAdded()
{
    m_undoDepth = std::min(m_undoDepth + 1, effectiveUndoLimit());
    m_redoDepth = 0;
}

void RichEditControl::Undo()
{
    if (m_undoDepth <= 0 || !document()->isUndoAvailable())
        return;
    QTextEdit::undo();
    --m_undoDepth;
    ++m_redoDepth;
}

void RichEditControl::Redo()
{
    if (m_redoDepth <= 0 || !document()->isRedoAvailable())
        return;
    QTextEdit::redo();
    --m_redoDepth;
    m_undoDepth = std::min(m_undoDepth + 1, effectiveUndoLimit());
}

bool RichEditControl::CanUndo() const
{
    return m_undoDepth > 0 && document()->isUndoAvailable();
}

bool RichEditControl::CanRedo() const
{
    return m_redoDepth > 0 && document()->isRedoAvailable();
}

LONG RichEditControl::SetUndoLimit(LONG limit)
{
    m_undoLimit = std::max<LONG>(0, limit);
    document()->setUndoRedoEnabled(m_undoLimit > 0);
    m_undoDepth = std::min(m_undoDepth, effectiveUndoLimit());
    return m_undoLimit;
}

void RichEditControl::Paste()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && canInsertFromMimeData(data))
        insertFromMimeData(data);
}

bool RichEditControl::GetModify() const
{
    return document()->isModified();
}

void RichEditControl::SetModify(bool modified)
{
    document()->setModified(modified);
}

// --- Character formats -----------------------------------------------------

DWORD RichEditControl::GetCharFormat(WPARAM kind, CHARFORMAT2A& format) const
{
    using namespace CharFormatConversion;
    const QFont defaultFont = document()->defaultFont();
    if (kind == SCF_DEFAULT) {
        describe(QTextCharFormat(), defaultFont, format);
        format.dwMask = SupportedMask;
        return format.dwMask;
    }
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        describe(cursor.charFormat(), defaultFont, format);
        format.dwMask = SupportedMask;
        return format.dwMask;
    }
    // A mixed selection reports its first character's format with the bits of
    // the attributes that are not uniform cleared.
    QTextCharFormat first;
    bool haveFirst = false;
    DWORD mask = SupportedMask;
    forEachRun(document(), cursor.selectionStart(), cursor.selectionEnd(),
               [&](const QTextCharFormat& run, int, int) {
                   if (!haveFirst) {
                       first = run;
                       haveFirst = true;
                       return true;
                   }
                   mask = commonMask(first, run, mask, defaultFont);
                   return mask != 0;
               });
    describe(first, defaultFont, format);
    format.dwMask = mask;
    return mask;
}

bool RichEditControl::SetCharFormat(WPARAM kind, const CHARFORMAT2A& format)
{
    const QTextCharFormat change = CharFormatConversion::toQt(format);
    if (kind == SCF_DEFAULT) {
        QFont font = document()->defaultFont();
        if (change.hasProperty(QTextFormat::FontPointSize))
            font.setPointSizeF(change.fontPointSize());
        if (change.hasProperty(QTextFormat::FontFamilies))
            font.setFamilies(change.fontFamilies().toStringList());
        if (change.hasProperty(QTextFormat::FontWeight))
            font.setWeight(QFont::Weight(change.fontWeight()));
        if (change.hasProperty(QTextFormat::FontItalic))
            font.setItalic(change.fontItalic());
        document()->setDefaultFont(font);
        return true;
    }
    QTextCursor cursor = textCursor();
    // In plain-text mode the whole text has one format.
    if (kind & SCF_ALL || isPlainTextMode())
        cursor.select(QTextCursor::Document);
    else if (kind & SCF_WORD && !cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    if (cursor.hasSelection() &&
        !mayChange({EM_SETCHARFORMAT, kind, 0}, {cursor.selectionStart(), cursor.selectionEnd()}) &&
        !(format.dwMask == CFM_PROTECTED))
        return false;
    if (cursor.hasSelection())
        cursor.mergeCharFormat(change);
    else
        mergeCurrentCharFormat(change);
    return true;
}

// --- Paragraph formats -----------------------------------------------------

DWORD RichEditControl::GetParaFormat(PARAFORMAT2& format) const
{
    const QTextBlockFormat block = textCursor().blockFormat();
    switch (block.alignment() & Qt::AlignHorizontal_Mask) {
    case Qt::AlignRight:
        format.wAlignment = PFA_RIGHT;
        break;
    case Qt::AlignHCenter:
        format.wAlignment = PFA_CENTER;
        break;
    case Qt::AlignJustify:
        format.wAlignment = PFA_JUSTIFY;
        break;
    default:
        format.wAlignment = PFA_LEFT;
    }
    format.dwMask = PFM_ALIGNMENT;
    return format.dwMask;
}

bool RichEditControl::SetParaFormat(const PARAFORMAT2& format)
{
    if (!(format.dwMask & PFM_ALIGNMENT))
        return true;
    QTextBlockFormat change;
    switch (format.wAlignment) {
    case PFA_RIGHT:
        change.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        break;
    case PFA_CENTER:
        change.setAlignment(Qt::AlignHCenter);
        break;
    case PFA_JUSTIFY:
        change.setAlignment(Qt::AlignJustify);
        break;
    default:
        change.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    }
    textCursor().mergeBlockFormat(change);
    return true;
}

// --- Streaming -------------------------------------------------------------

namespace {

// The bits of a stream format code that name its kind (SF_TEXT, SF_RTF ...).
constexpr UINT StreamKindMask = 0xFF;

bool isRichTextFormat(UINT format)
{
    const UINT kind = format & StreamKindMask & ~SF_UNICODE;
    return kind == SF_RTF || kind == SF_RTFNOOBJS;
}

PlainTextEncoding plainTextEncoding(UINT format)
{
    return (format & SF_UNICODE) ? PlainTextEncoding::Utf16 : PlainTextEncoding::Utf8;
}

} // namespace

LONG RichEditControl::StreamIn(UINT format, EDITSTREAM& stream)
{
    stream.dwError = 0;
    if (!stream.pfnCallback) {
        stream.dwError = EditStreamIo::NoCallback;
        return 0;
    }
    const StreamTarget target =
        (format & SFF_SELECTION) ? StreamTarget::Selection : StreamTarget::WholeDocument;
    QTextCursor cursor = textCursor();
    if (target == StreamTarget::WholeDocument)
        cursor.select(QTextCursor::Document);
    const int lengthBefore = GetTextLength() - (cursor.selectionEnd() - cursor.selectionStart());
    // Loading is no edit of the user's: whether the document counts as modified
    // afterwards is for the caller to say.
    const bool modified = document()->isModified();
    // A whole document read from a file is no edit the user can undo; keeping
    // it out of the undo stack also saves the memory of a second copy.
    if (target == StreamTarget::WholeDocument)
        document()->setUndoRedoEnabled(false);
    const bool read =
        isRichTextFormat(format) ? streamInRtf(stream, cursor) : streamInText(format, stream, cursor, target);
    if (read && GetTextLength() > m_limit) { // a rich text file longer than the limit is cut
        QTextCursor excess(document());
        excess.setPosition(m_limit);
        excess.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        excess.removeSelectedText();
    }
    if (target == StreamTarget::WholeDocument) {
        document()->setUndoRedoEnabled(m_undoLimit > 0);
        m_undoDepth = m_redoDepth = 0;
    }
    document()->setModified(modified);
    if (!read)
        return 0;
    if (target == StreamTarget::WholeDocument)
        SetSel(0, 0);
    return std::max(0, GetTextLength() - lengthBefore);
}

bool RichEditControl::streamInText(UINT format, EDITSTREAM& stream, QTextCursor& cursor, StreamTarget target)
{
    QByteArray bytes;
    const auto append = [&](const char* data, qsizetype size) {
        bytes.append(data, size);
        return true;
    };
    if (!EditStreamIo::readChunks(stream, append))
        return false;
    const QString text = PlainTextCodec::decode(bytes, plainTextEncoding(format));
    bytes = QByteArray();
    switch (target) {
    case StreamTarget::WholeDocument:
        replaceAllWithPlainText(text);
        break;
    case StreamTarget::Selection:
        cursor.beginEditBlock();
        cursor.insertText(fitToLimit(text, cursor));
        cursor.endEditBlock();
        break;
    }
    return true;
}

bool RichEditControl::streamInRtf(EDITSTREAM& stream, QTextCursor& cursor)
{
    RtfReader reader(cursor);
    const auto feed = [&](const char* data, qsizetype size) { return reader.feed(data, size); };
    if (!EditStreamIo::readChunks(stream, feed)) {
        if (stream.dwError == 0)
            stream.dwError = EditStreamIo::NotRtf;
        return false;
    }
    if (!reader.finish()) {
        stream.dwError = EditStreamIo::NotRtf;
        return false;
    }
    return true;
}

LONG RichEditControl::StreamOut(UINT format, EDITSTREAM& stream)
{
    stream.dwError = 0;
    if (!stream.pfnCallback) {
        stream.dwError = EditStreamIo::NoCallback;
        return 0;
    }
    const CHARRANGE range = (format & SFF_SELECTION) ? ExGetSel() : WholeText;
    if (!isRichTextFormat(format)) {
        const QString text = PlainTextCodec::exported(TextRange(range));
        if (!EditStreamIo::writeAll(stream, PlainTextCodec::encode(text, plainTextEncoding(format))))
            return 0;
        return LONG(text.size());
    }
    RtfWriter::Options options;
    if ((format & StreamKindMask) == SF_RTFNOOBJS)
        options |= RtfWriter::NoObjects;
    if (format & SFF_PLAINRTF)
        options |= RtfWriter::PlainRtf;
    qsizetype written = 0;
    const auto put = [&](const char* data, qsizetype size) {
        written += size;
        return EditStreamIo::writeAll(stream, QByteArrayView(data, size));
    };
    const bool complete = RtfWriter(*document(), options).write(put, range.cpMin, range.cpMax);
    if (!complete && stream.dwError == 0)
        stream.dwError = EditStreamIo::WriteStalled;
    return complete ? LONG(std::min<qsizetype>(written, std::numeric_limits<LONG>::max())) : 0;
}

// --- Settings --------------------------------------------------------------

DWORD RichEditControl::SetEventMask(DWORD mask)
{
    const DWORD previous = m_eventMask;
    m_eventMask = mask;
    return previous;
}

COLORREF RichEditControl::SetBkgndColor(bool useSystemColor, COLORREF color)
{
    const COLORREF previous = QColorToColorRef(palette().color(QPalette::Base));
    m_background = useSystemColor ? QColor() : ColorRefToQColor(color);
    applyPalette();
    return previous;
}

DWORD RichEditControl::SetOptions(WPARAM operation, DWORD options)
{
    switch (operation) {
    case ECOOP_SET:
        m_options = options;
        break;
    case ECOOP_OR:
        m_options |= options;
        break;
    case ECOOP_AND:
        m_options &= options;
        break;
    case ECOOP_XOR:
        m_options ^= options;
        break;
    default:
        break;
    }
    return m_options;
}

bool RichEditControl::AutoUrlDetect(bool on)
{
    if (on == m_autoUrlDetect)
        return true;
    m_autoUrlDetect = on;
    if (on) {
        m_urlHighlighter = new UrlHighlighter(document());
    } else {
        // Deleting the highlighter leaves its formats behind; detach first so
        // the detected links are no longer shown.
        m_urlHighlighter->setDocument(nullptr);
        delete m_urlHighlighter;
        m_urlHighlighter = nullptr;
    }
    return true;
}

bool RichEditControl::SetTextMode(UINT mode)
{
    if (GetTextLength() > 0)
        return false;
    if (!(mode & (TM_PLAINTEXT | TM_RICHTEXT)))
        mode |= m_textMode & (TM_PLAINTEXT | TM_RICHTEXT);
    if (!(mode & (TM_SINGLELEVELUNDO | TM_MULTILEVELUNDO)))
        mode |= m_textMode & (TM_SINGLELEVELUNDO | TM_MULTILEVELUNDO);
    m_textMode = mode;
    setAcceptRichText(!isPlainTextMode());
    m_undoDepth = std::min(m_undoDepth, effectiveUndoLimit());
    return true;
}

// --- Links and protected text ----------------------------------------------

CHARRANGE RichEditControl::linkAt(int position) const
{
    if (position < 0 || position >= GetTextLength())
        return NoRange;
    const QTextBlock block = document()->findBlock(position);
    // A link in the text's own format (a hyperlink read from a file).
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (position < fragment.position() || position >= fragment.position() + fragment.length())
            continue;
        const QTextCharFormat format = fragment.charFormat();
        if (!format.isAnchor())
            break;
        // Extend over the neighbouring fragments of the same link.
        int start = fragment.position();
        int end = start + fragment.length();
        forEachRun(document(), block.position(), block.position() + block.length() - 1,
                   [&](const QTextCharFormat& run, int from, int to) {
                       if (run.anchorHref() == format.anchorHref() && (to == start || from == end)) {
                           start = std::min(start, from);
                           end = std::max(end, to);
                       }
                       return true;
                   });
        return {start, end};
    }
    if (!m_autoUrlDetect)
        return NoRange;
    const auto [start, length] = UrlHighlighter::urlAt(block.text(), position - block.position());
    if (length == 0)
        return NoRange;
    return {block.position() + start, block.position() + start + length};
}

bool RichEditControl::isProtected(CHARRANGE range) const
{
    bool found = false;
    if (range.cpMin == range.cpMax) {
        // Text typed between two protected characters would be protected too.
        if (range.cpMin <= 0 || range.cpMin >= GetTextLength())
            return false;
        bool before = false;
        bool after = false;
        forEachRun(document(), range.cpMin - 1, range.cpMin + 1,
                   [&](const QTextCharFormat& run, int from, int) {
                       (from < range.cpMin ? before : after) = run.boolProperty(CharProtected);
                       return true;
                   });
        return before && after;
    }
    forEachRun(document(), range.cpMin, range.cpMax, [&](const QTextCharFormat& run, int, int) {
        found = run.boolProperty(CharProtected);
        return !found;
    });
    return found;
}

bool RichEditControl::mayChange(const TMessage& message, CHARRANGE range)
{
    if (!isProtected(range))
        return true;
    if (!(m_eventMask & ENM_PROTECTED) || !m_notify)
        return false;
    return m_notify->notifyProtected(message, range);
}

CHARRANGE RichEditControl::rangeChangedByKey(const QKeyEvent* event) const
{
    const QTextCursor cursor = textCursor();
    CHARRANGE range{cursor.selectionStart(), cursor.selectionEnd()};
    if (cursor.hasSelection())
        return range;
    if (event->key() == Qt::Key_Backspace && range.cpMin > 0)
        --range.cpMin;
    else if (event->key() == Qt::Key_Delete && range.cpMax < GetTextLength())
        ++range.cpMax;
    return range;
}

namespace {

bool changesText(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Delete) || event->matches(QKeySequence::DeleteStartOfWord) ||
        event->matches(QKeySequence::DeleteEndOfWord))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return true;
    default:
        break;
    }
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
}

} // namespace

void RichEditControl::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Undo)) {
        Undo();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        Redo();
        return;
    }
    if (changesText(event) && !isReadOnly()) {
        const UINT message = event->text().isEmpty() ? WM_KEYDOWN : WM_CHAR;
        if (!mayChange({message, WPARAM(event->key()), 0}, rangeChangedByKey(event))) {
            QApplication::beep();
            return;
        }
        const QString text = event->text();
        if (!text.isEmpty() && text.at(0).isPrint() && fitToLimit(text, textCursor()).isEmpty()) {
            QApplication::beep();
            return;
        }
    }
    QTextEdit::keyPressEvent(event);
}

void RichEditControl::inputMethodEvent(QInputMethodEvent* event)
{
    const QTextCursor cursor = textCursor();
    if (!event->commitString().isEmpty() &&
        (!mayChange({WM_CHAR, 0, 0}, {cursor.selectionStart(), cursor.selectionEnd()}) ||
         fitToLimit(event->commitString(), cursor).size() < event->commitString().size())) {
        event->ignore();
        return;
    }
    QTextEdit::inputMethodEvent(event);
}

bool RichEditControl::canInsertFromMimeData(const QMimeData* source) const
{
    if (isPlainTextMode())
        return source->hasText();
    return QTextEdit::canInsertFromMimeData(source);
}

void RichEditControl::insertFromMimeData(const QMimeData* source)
{
    QTextCursor cursor = textCursor();
    if (!mayChange({WM_PASTE, 0, 0}, {cursor.selectionStart(), cursor.selectionEnd()}))
        return;
    if (isPlainTextMode() || !source->hasHtml()) {
        cursor.insertText(fitToLimit(normalisedBreaks(source->text()), cursor));
        setTextCursor(cursor);
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

void RichEditControl::dropEvent(QDropEvent* event)
{
    const QTextCursor cursor = cursorForPosition(event->position().toPoint());
    if (!mayChange({WM_PASTE, 0, 0}, {cursor.position(), cursor.position()})) {
        event->ignore();
        return;
    }
    QTextEdit::dropEvent(event);
}

QMimeData* RichEditControl::createMimeDataFromSelection() const
{
    QMimeData* data = QTextEdit::createMimeDataFromSelection();
    // Tagged so that the owner can ask, when it goes away, whether to keep it.
    data->setProperty("zorvanRichEditControl", QVariant::fromValue(quintptr(this)));
    return data;
}

bool RichEditControl::ownsClipboardData() const
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->property("zorvanRichEditControl").value<quintptr>() == quintptr(this);
}

// --- Mouse ------------------------------------------------------------------

int RichEditControl::characterAtPoint(const QPoint& viewportPos) const
{
    const QPoint documentPos =
        viewportPos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return document()->documentLayout()->hitTest(documentPos, Qt::ExactHit);
}

void RichEditControl::emitLink(UINT message, const QPoint& viewportPos)
{
    if (!(m_eventMask & ENM_LINK) || !m_notify)
        return;
    const int position = characterAtPoint(viewportPos);
    if (position < 0)
        return;
    const CHARRANGE range = linkAt(position);
    if (range != NoRange)
        m_notify->notifyLink(message, range);
}

void RichEditControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emitLink(event->button() == Qt::LeftButton ? WM_LBUTTONDOWN : WM_RBUTTONDOWN,
                 event->position().toPoint());
    QTextEdit::mousePressEvent(event);
}

void RichEditControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emitLink(event->button() == Qt::LeftButton ? WM_LBUTTONUP : WM_RBUTTONUP,
                 event->position().toPoint());
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && m_notify)
        m_notify->notifyContextMenu(event->globalPosition().toPoint());
}

void RichEditControl::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse's menu comes from the right-button release, so that it is shown
    // exactly once; the keyboard's menu key shows it at the caret.
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse || !m_notify)
        return;
    m_notify->notifyContextMenu(viewport()->mapToGlobal(cursorRect().bottomLeft()));
}

void RichEditControl::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
        // QTextEdit has just given the document the widget's font as it is.
        applyDefaultFont();
        break;
    case QEvent::PaletteChange:
        // The colours derived from the palette follow it; setting the same
        // palette again raises no further change.
        applyPalette();
        break;
    default:
        break;
    }
}

void RichEditControl::applyDefaultFont()
{
    // The document's default font is the default character format of the
    // text: what is shown, what the format records report and what the RTF
    // writer writes. It needs a size in points; a widget font set in pixels
    // converts at 96 dpi (4/3 pixels per point), rounded to whole points as
    // the sizes of the character formats are.
    QFont font = this->font();
    if (font.pointSizeF() <= 0)
        font.setPointSize(std::max(1, qRound(font.pixelSize() * 3 / 4.0)));
    document()->setDefaultFont(font);
}

void RichEditControl::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    if (m_selectionBar) {
        const QRect area = viewport()->geometry();
        m_selectionBar->setGeometry(area.left() - SelectionBar::Width, area.top(), SelectionBar::Width,
                                    area.height());
    }
}

// --- Notifications ------------------------------------------------------------

void RichEditControl::onSelectionChanged()
{
    const CHARRANGE range = ExGetSel();
    if (range == m_lastSelection)
        return;
    m_lastSelection = range;
    if ((m_eventMask & ENM_SELCHANGE) && m_notify)
        m_notify->notifySelectionChange();
}

void RichEditControl::onDocumentSizeChanged(const QSizeF& size)
{
    if ((m_eventMask & ENM_REQUESTRESIZE) && m_notify)
        m_notify->notifyRequestResize(QRect(0, 0, int(size.width()), int(size.height()) + 2 * frameWidth()));
}
