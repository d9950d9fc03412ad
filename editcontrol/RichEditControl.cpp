#include "editcontrol/RichEditControl.h"

#include "editcontrol/BlockTally.h"
#include "editcontrol/DocumentText.h"
#include "platform/PlainTextCodec.h"
#include "editcontrol/RichEditLayout.h"
#include "editcontrol/RichEditNotify.h"
#include "editcontrol/RichEditStreaming.h"
#include "editcontrol/SelectionBar.h"
#include "editcontrol/TextFinder.h"
#include "editcontrol/TextLineIndex.h"
#include "format/Units.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPointF>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

namespace {

constexpr QChar ObjectCharacter = QChar::ObjectReplacementCharacter;

// The characters that end a block in a document's text: a paragraph break, or
// the start or end of a frame (a table).
constexpr QChar FrameStart(0xFDD0);
constexpr QChar FrameEnd(0xFDD1);

bool isParagraphEnd(QChar c)
{
    return c == QChar::ParagraphSeparator || c == FrameStart || c == FrameEnd || c == QLatin1Char('\n');
}

// The editor's own layout costs the same for an edit anywhere in a long document;
// a document coming from elsewhere gets it before it is shown.
void installLayout(QTextDocument* document)
{
    if (!qobject_cast<RichEditLayout*>(document->documentLayout()))
        document->setDocumentLayout(new RichEditLayout(document));
}

QPointF twipsToPixels(LONG x, LONG y, int dpiX, int dpiY)
{
    return QPointF(x * dpiX / qreal(TwipsPerInch), y * dpiY / qreal(TwipsPerInch));
}

} // namespace

RichEditControl::RichEditControl(const RichEditStyle& style, QWidget* parent)
    : QTextEdit(parent), m_style(style)
{
    installLayout(document());
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
    applyDefaultFont();
    connectDocument();
    connect(this, &QTextEdit::selectionChanged, this, &RichEditControl::onSelectionChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &RichEditControl::onSelectionChanged);
}

RichEditControl::~RichEditControl() = default;

RichEditLayout* RichEditControl::textLayout() const
{
    // Installed on every document the control shows (installLayout).
    return static_cast<RichEditLayout*>(document()->documentLayout());
}

void RichEditControl::connectDocument()
{
    QTextDocument* doc = document();
    connect(doc, &QTextDocument::contentsChanged, this, [this] {
        m_selectionFormat.reset();
        if ((m_eventMask & ENM_CHANGE) && m_notify)
            m_notify->notifyChange();
    });
    connect(doc, &QTextDocument::undoCommandAdded, this, &RichEditControl::onUndoCommandAdded);
    connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &RichEditControl::onDocumentSizeChanged);
    // While a long document is still being measured, the text at the top of
    // the view keeps its place.
    RichEditLayout* layout = textLayout();
    layout->setShowsLinks(m_autoUrlDetect);
    layout->setSpellChecker(m_spellChecker);
    connect(layout, &RichEditLayout::sliceAboutToBeMeasured, this, [this] {
        // A point on the line between two paragraphs belongs to the upper one: look a pixel lower.
        const QTextBlock top = cursorForPosition(QPoint(0, 1)).block();
        m_viewTop = {top, verticalScrollBar()->value() -
                              document()->documentLayout()->blockBoundingRect(top).top()};
    });
    connect(layout, &RichEditLayout::sliceMeasured, this, [this] {
        const auto& [block, offset] = m_viewTop;
        if (block.isValid())
            verticalScrollBar()->setValue(
                qRound(document()->documentLayout()->blockBoundingRect(block).top() + offset));
    });
}

void RichEditControl::adoptDocument(QTextDocument* adopted)
{
    // The adopted document brings its own line index.
    installLayout(adopted);
    setDocument(adopted);
    m_selectionFormat.reset();
    adopted->clearUndoRedoStacks();
    m_undoDepth = m_redoDepth = 0;
    m_lineIndex = adopted->findChild<TextLineIndex*>(QString(), Qt::FindDirectChildrenOnly);
    if (!m_lineIndex)
        m_lineIndex = new TextLineIndex(adopted);
    invalidateTallies();
    connectDocument();
    SetSel(0, 0);
}

// --- Selection -------------------------------------------------------------

int RichEditControl::GetTextLength() const
{
    return DocumentText::length(*document());
}

LONG RichEditControl::GetTextLengthEx(DWORD flags) const
{
    const int length = GetTextLength();
    if (!(flags & GTL_USECRLF) || length == 0)
        return length;
    // Every block but the last ends in a break that GetText writes as CR LF.
    return length + document()->blockCount() - 1;
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
    return DocumentText::range(*document(), range);
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
    DocumentText::replaceAll(*document(), PlainTextCodec::normalisedBreaks(text), m_limit);
    document()->clearUndoRedoStacks();
    m_undoDepth = m_redoDepth = 0;
    SetSel(0, 0);
}

// --- Editing ---------------------------------------------------------------

QString RichEditControl::fitToLimit(const QString& text, const QTextCursor& cursor) const
{
    return DocumentText::fitted(text, cursor, m_limit);
}

void RichEditControl::ReplaceSel(bool canUndo, const QString& text)
{
    QTextCursor cursor = textCursor();
    if (!mayChange({EM_REPLACESEL, WPARAM(canUndo), 0}, {cursor.selectionStart(), cursor.selectionEnd()}))
        return;
    const QString inserted = fitToLimit(PlainTextCodec::normalisedBreaks(text), cursor);
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

bool RichEditControl::GetModify() const
{
    return document()->isModified();
}

void RichEditControl::SetModify(bool modified)
{
    document()->setModified(modified);
}

// --- Searching, streaming and pages ----------------------------------------

LONG RichEditControl::FindTextEx(DWORD flags, FINDTEXTEX& find) const
{
    find.chrgText = TextFinder(*document(), find.lpstrText, flags).find(find.chrg);
    return find.chrgText.cpMin;
}

LONG RichEditControl::StreamIn(UINT format, EDITSTREAM& stream)
{
    RichEditStreaming streaming(*document(), m_limit,
                                {[this] { return isVisible(); }, [this] { showReadSoFar(); }});
    const std::optional<LONG> read =
        streaming.read(format, stream, textCursor(),
                       m_undoLimit > 0 ? RichEditStreaming::Undo::On : RichEditStreaming::Undo::Off);
    if (!(format & SFF_SELECTION) && stream.pfnCallback) {
        // Reading a whole document emptied the undo history.
        m_undoDepth = m_redoDepth = 0;
        if (read)
            SetSel(0, 0);
    }
    return read.value_or(0);
}

void RichEditControl::showReadSoFar()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    // The whole window: what a dialog closed just before the reading covered is
    // painted again too.
    window()->repaint();
}

LONG RichEditControl::StreamOut(UINT format, EDITSTREAM& stream)
{
    return RichEditStreaming(*document(), m_limit).write(format, stream, textCursor());
}

LONG RichEditControl::FormatRange(bool render, const FORMATRANGE* range)
{
    if (!range) {
        m_pagedDocument.reset();
        return 0;
    }
    const RECT& rc = range->rc;
    constexpr int dpi = PagedDocument::DocumentDpi;
    const QPointF size = twipsToPixels(rc.right - rc.left, rc.bottom - rc.top, dpi, dpi);
    const QSizeF pageSize(size.x(), size.y());
    if (!m_pagedDocument || m_pagedDocument->pageSize() != pageSize)
        m_pagedDocument = std::make_unique<PagedDocument>(*document(), pageSize);

    const int page = m_pagedDocument->pageOf(clampPosition(range->chrg.cpMin));
    if (render && range->hdc) {
        const QPaintDevice& device = *range->hdc->device();
        const QPointF origin = twipsToPixels(rc.left, rc.top, device.logicalDpiX(), device.logicalDpiY());
        m_pagedDocument->drawPage(*range->hdc, page, origin);
    }
    if (page + 1 < m_pagedDocument->pageCount())
        return m_pagedDocument->pageStart(page + 1);
    return GetTextLength();
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
    textLayout()->setShowsLinks(on);
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
    m_selectionFormat.reset();
    invalidateTallies();
}

void RichEditControl::invalidateTallies()
{
    for (BlockTally* tally : document()->findChildren<BlockTally*>())
        tally->invalidate();
}

BlockTally* RichEditControl::lineTally(std::function<int(QStringView line)> countOfLine)
{
    // One buffer for every line, so a full count does not allocate per line.
    auto countLine = [countOfLine = std::move(countOfLine), line = QString()](QStringView text) mutable {
        line.resize(text.size());
        std::copy(text.begin(), text.end(), line.begin());
        // Soft line breaks read as vertical tabs, as GetLine copies them.
        line.replace(QChar::LineSeparator, QChar(0x0B));
        return countOfLine(line);
    };
    RichEditLayout* documentLayout = textLayout();
    auto counted = std::make_shared<bool>(false); // while the layout was incomplete
    const auto countOf = [countLine = std::move(countLine), documentLayout,
                          counted](const QTextBlock& block) mutable {
        if (!documentLayout->isComplete())
            *counted = true;
        const QString text = block.text();
        const QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() == 0)
            return countLine(text);
        int sum = 0;
        for (int index = 0; index < layout->lineCount(); ++index) {
            const QTextLine textLine = layout->lineAt(index);
            const qsizetype start = std::min<qsizetype>(textLine.textStart(), text.size());
            const qsizetype end =
                std::min<qsizetype>(textLine.textStart() + textLine.textLength(), text.size());
            sum += countLine(QStringView(text).mid(start, end - start));
        }
        return sum;
    };
    auto* tally = new BlockTally(document(), countOf, BlockTally::Counting::AsItStands);
    connect(documentLayout, &RichEditLayout::measured, tally, [tally, counted] {
        if (std::exchange(*counted, false))
            tally->invalidate();
    });
    return tally;
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
