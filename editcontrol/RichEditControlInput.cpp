// The control's input: protected text and the text limit against keys, input
// methods, pasting and dropping; the clipboard and inserted objects; links, the
// context menu and whole-word selection under the mouse; misspelled words.

#include "editcontrol/RichEditControl.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/DocumentPictures.h"
#include "editcontrol/FormatRuns.h"
#include "editcontrol/RichEditLayout.h"
#include "editcontrol/RichEditNotify.h"
#include "editcontrol/UrlDetector.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextList>

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
    const auto [start, length] = UrlDetector::urlAt(block.text(), position - block.position());
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
    // Ctrl+Y redoes as in the word processors of the Windows world.
    if (event->matches(QKeySequence::Redo) || event->keyCombination() == (Qt::ControlModifier | Qt::Key_Y)) {
        Redo();
        return;
    }
    // Alt with a letter belongs to the menus: when no menu takes it, it does
    // nothing rather than type the letter (Ctrl+Alt is AltGr on some keyboards).
    if ((event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier &&
        !event->text().isEmpty()) {
        event->ignore();
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
        if (isParagraphBreak(event)) {
            breakParagraph();
            return;
        }
    }
    QTextEdit::keyPressEvent(event);
}

bool RichEditControl::isParagraphBreak(const QKeyEvent* event)
{
    // Shift+Enter stays a line break within the paragraph.
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void RichEditControl::breakParagraph()
{
    // Qt's text control turns Enter in an empty paragraph into "back to the
    // default format" and inserts nothing; a word processor inserts a break
    // whose new paragraph keeps the paragraph's format and the one at the caret.
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection() && cursor.currentList() && cursor.block().length() == 1) {
        // An empty list item ends the list, as in word processors; the
        // paragraph keeps its indents and character format.
        PARAFORMAT2 format;
        format.dwMask = PFM_NUMBERING;
        format.wNumbering = 0;
        SetParaFormat(format);
        return;
    }
    cursor.insertBlock(cursor.blockFormat(), cursor.charFormat());
    setTextCursor(cursor);
    ensureCursorVisible();
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

// --- Clipboard, dropping and objects -------------------------------------------

RichEditClipboard RichEditControl::clipboardRules() const
{
    return RichEditClipboard(*document(), m_limit,
                             m_oleCallback ? RichEditClipboard::Objects::Allowed
                                           : RichEditClipboard::Objects::Refused);
}

RichEditClipboard::Content RichEditControl::pasteContent() const
{
    return isPlainTextMode() ? RichEditClipboard::Content::TextOnly : RichEditClipboard::Content::Anything;
}

void RichEditControl::Paste()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data && canInsertFromMimeData(data))
        insertFromMimeData(data);
}

void RichEditControl::PasteSpecial(UINT clipFormat)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    if (clipFormat == CF_TEXT || clipFormat == CF_UNICODETEXT)
        pasteFrom(*data, RichEditClipboard::Content::TextOnly);
    else if (clipFormat == CF_BITMAP && !isPlainTextMode())
        pasteFrom(*data, RichEditClipboard::Content::PictureOnly);
}

bool RichEditControl::canInsertFromMimeData(const QMimeData* source) const
{
    return clipboardRules().canInsert(*source, pasteContent());
}

void RichEditControl::insertFromMimeData(const QMimeData* source)
{
    pasteFrom(*source, pasteContent());
}

void RichEditControl::pasteFrom(const QMimeData& source, RichEditClipboard::Content content)
{
    QTextCursor cursor = textCursor();
    if (!mayChange({WM_PASTE, 0, 0}, {cursor.selectionStart(), cursor.selectionEnd()}))
        return;
    clipboardRules().insert(source, content, cursor);
    setTextCursor(cursor);
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
    return RichEditClipboard::dataOf(textCursor(), this);
}

bool RichEditControl::ownsClipboardData() const
{
    return RichEditClipboard::isDataOf(QApplication::clipboard()->mimeData(), this);
}

bool RichEditControl::InsertObject(const QImage& image, const QByteArray& data, const QString& kind)
{
    QTextCursor cursor = textCursor();
    if (image.isNull() || !HasOleCallback() || isPlainTextMode() ||
        !mayChange({WM_PASTE, 0, 0}, {cursor.selectionStart(), cursor.selectionEnd()}))
        return false;
    const QString object(QChar::ObjectReplacementCharacter);
    if (fitToLimit(object, cursor).isEmpty()) {
        QApplication::beep();
        return false;
    }
    DocumentPictures::insert(cursor, image, data, kind);
    // The new object is left selected and scrolled into view.
    cursor.setPosition(cursor.position() - 1, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

QTextImageFormat RichEditControl::SelectedObject() const
{
    const QTextCursor selection = textCursor();
    if (selection.selectionEnd() - selection.selectionStart() != 1)
        return {};
    QTextCursor object(document());
    object.setPosition(selection.selectionEnd());
    return object.charFormat().toImageFormat();
}

QImage RichEditControl::ObjectImage(const QTextImageFormat& format) const
{
    return DocumentPictures::imageOf(*document(), format);
}

// --- Mouse ------------------------------------------------------------------

int RichEditControl::characterAtPoint(const QPoint& viewportPos) const
{
    const QPoint documentPos =
        viewportPos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return document()->documentLayout()->hitTest(documentPos, Qt::ExactHit);
}

CHARRANGE RichEditControl::linkAtPoint(const QPoint& viewportPos) const
{
    const int position = characterAtPoint(viewportPos);
    return position < 0 ? NoRange : linkAt(position);
}

void RichEditControl::emitLink(UINT message, CHARRANGE range)
{
    if ((m_eventMask & ENM_LINK) && m_notify && range != NoRange)
        m_notify->notifyLink(message, range);
}

void RichEditControl::startWordwiseDrag(const QMouseEvent* press)
{
    m_wordwiseDrag.reset();
    // Shift+click extends character by character, and a press in the
    // selection, which keeps it, may start dragging the text away.
    if (press->button() != Qt::LeftButton || press->modifiers() != Qt::NoModifier ||
        !(m_options & ECO_AUTOWORDSELECTION) || textCursor().hasSelection())
        return;
    m_wordwiseDrag.emplace(*document(), textCursor().position());
}

void RichEditControl::extendWordwise(const QPoint& viewportPos)
{
    // The text control has already moved the selection's end to the pointer
    // (and scrolled); only the ends the words decide are changed here.
    const auto [anchor, position] =
        m_wordwiseDrag->selectionTo(*document(), cursorForPosition(viewportPos).position());
    QTextCursor cursor = textCursor();
    if (cursor.anchor() == anchor && cursor.position() == position)
        return;
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void RichEditControl::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton) {
        QTextEdit::mouseMoveEvent(event);
        if (m_wordwiseDrag && (event->buttons() & Qt::LeftButton))
            extendWordwise(event->position().toPoint());
        return;
    }
    // A move without a button only changes the pointer. It is handled here:
    // the text control's own handling looks for a list marker under the
    // pointer in every paragraph of the document.
    const CHARRANGE link = linkAtPoint(event->position().toPoint());
    QWidget* area = viewport();
    if (link == NoRange) {
        if (m_cursorOutsideLinks) {
            area->setCursor(*m_cursorOutsideLinks);
            m_cursorOutsideLinks.reset();
        }
        return;
    }
    if (!m_cursorOutsideLinks)
        m_cursorOutsideLinks = area->cursor().shape();
    area->setCursor(Qt::PointingHandCursor);
    emitLink(WM_MOUSEMOVE, link);
}

void RichEditControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emitLink(event->button() == Qt::LeftButton ? WM_LBUTTONDOWN : WM_RBUTTONDOWN,
                 linkAtPoint(event->position().toPoint()));
    QTextEdit::mousePressEvent(event);
    startWordwiseDrag(event);
}

void RichEditControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emitLink(event->button() == Qt::LeftButton ? WM_LBUTTONUP : WM_RBUTTONUP,
                 linkAtPoint(event->position().toPoint()));
    if (event->button() == Qt::LeftButton)
        m_wordwiseDrag.reset();
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && m_notify)
        m_notify->notifyContextMenu(event->globalPosition().toPoint(),
                                    characterAtPoint(event->position().toPoint()));
}

void RichEditControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A drag after a double click extends by words from the clicked word, as
    // the text control does it.
    m_wordwiseDrag.reset();
    QTextEdit::mouseDoubleClickEvent(event);
}

void RichEditControl::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse's menu comes from the right-button release, so that it is shown
    // exactly once; the keyboard's menu key shows it at the caret.
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse || !m_notify)
        return;
    m_notify->notifyContextMenu(viewport()->mapToGlobal(cursorRect().bottomLeft()), textCursor().position());
}

// --- Spelling ---------------------------------------------------------------

void RichEditControl::setSpellChecker(SpellChecker* checker)
{
    m_spellChecker = checker;
    textLayout()->setSpellChecker(checker);
}

CHARRANGE RichEditControl::misspelledWordAt(int position, int* language) const
{
    if (!m_spellChecker || position < 0 || position > GetTextLength())
        return NoRange;
    const QTextBlock block = document()->findBlock(position);
    const int offset = position - block.position();
    for (const MisspelledWord& word : textLayout()->spelling().wordsIn(block))
        if (offset >= word.start && offset <= word.start + word.length) {
            if (language)
                *language = word.language;
            return {block.position() + word.start, block.position() + word.start + word.length};
        }
    return NoRange;
}

bool RichEditControl::ReplaceRange(CHARRANGE range, const QString& text)
{
    if (!mayChange({EM_REPLACESEL, WPARAM(true), 0}, range))
        return false;
    QTextCursor cursor(document());
    cursor.setPosition(range.cpMin + 1);
    const QTextCharFormat format = cursor.charFormat();
    cursor.setPosition(range.cpMin);
    cursor.setPosition(range.cpMax, QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    cursor.insertText(fitToLimit(text, cursor), format);
    cursor.endEditBlock();
    setTextCursor(cursor);
    return true;
}
