// The control's input: protected text and the text limit against keys, input
// methods, pasting and dropping; the clipboard; links and the context menu
// under the mouse.

#include "platform/RichEditControl.h"

#include "format/TextFormatProperties.h"
#include "platform/FormatRuns.h"
#include "platform/PlainTextCodec.h"
#include "platform/RichEditNotify.h"
#include "platform/UrlHighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

using namespace TextFormatProperties;

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
        forEachFormatRun(document(), block.position(), block.position() + block.length() - 1,
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
    // Most documents protect nothing: their few distinct formats tell at once,
    // without walking the runs of a long range.
    const QList<QTextFormat> formats = document()->allFormats();
    if (std::none_of(formats.cbegin(), formats.cend(),
                     [](const QTextFormat& format) { return format.boolProperty(CharProtected); }))
        return false;
    bool found = false;
    if (range.cpMin == range.cpMax) {
        // Text typed between two protected characters would be protected too.
        if (range.cpMin <= 0 || range.cpMin >= GetTextLength())
            return false;
        bool before = false;
        bool after = false;
        forEachFormatRun(document(), range.cpMin - 1, range.cpMin + 1,
                         [&](const QTextCharFormat& run, int from, int) {
                             (from < range.cpMin ? before : after) = run.boolProperty(CharProtected);
                             return true;
                         });
        return before && after;
    }
    forEachFormatRun(document(), range.cpMin, range.cpMax, [&](const QTextCharFormat& run, int, int) {
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

void RichEditControl::Paste()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && canInsertFromMimeData(data))
        insertFromMimeData(data);
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
        cursor.insertText(fitToLimit(PlainTextCodec::normalisedBreaks(source->text()), cursor));
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
