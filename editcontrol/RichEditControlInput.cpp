// The control's input: protected text and the text limit against keys, input
// methods, pasting and dropping; the clipboard; links, the context menu and
// whole-word selection under the mouse.

#include "editcontrol/RichEditControl.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/DocumentPictures.h"
#include "editcontrol/FormatRuns.h"
#include "platform/PictureDecoder.h"
#include "platform/PlainTextCodec.h"
#include "editcontrol/RichEditMimeData.h"
#include "editcontrol/RichEditNotify.h"
#include "platform/TPicture.h"
#include "editcontrol/UrlDetector.h"
#include "platform/ZvExceptions.h"
#include "rtf/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextList>
#include <QUrl>

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

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

// --- Clipboard and dropping --------------------------------------------------

namespace {

// The names under which programs offer RTF; LibreOffice offers all three.
const QString RtfTypes[] = {RichEditMimeData::RtfType, QStringLiteral("application/rtf"),
                            QStringLiteral("text/richtext")};

struct Picture
{
    QImage image;
    QByteArray bytes; // as they are kept in the document and saved
    QString kind;     // "png" or "jpeg"
};

Picture pngPicture(const QImage& image)
{
    return {image, RichEditMimeData::pngOf(image), QStringLiteral("png")};
}

// A dropped local file that holds a picture, read as inserting it would read
// it; none when it holds none.
std::optional<Picture> pictureInFile(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    TPicture picture;
    try {
        picture.LoadFromFile(url.toLocalFile());
    } catch (const EInvalidGraphic&) {
        return std::nullopt;
    }
    const QString kind = picture.StoredKind();
    if (kind.isEmpty())
        return pngPicture(picture.Image());
    return Picture{picture.Image(), picture.FileData(), kind};
}

// The pictures a clipboard or a drop holds: PNG or JPEG bytes as they are,
// else its image, else the picture files it names (all or none).
std::vector<Picture> picturesIn(const QMimeData& source)
{
    const struct
    {
        QLatin1String type;
        QImage (*decode)(QByteArrayView);
        QLatin1String kind;
    } encodings[] = {{RichEditMimeData::PngType, DecodePng, QLatin1String("png")},
                     {RichEditMimeData::JpegType, DecodeJpeg, QLatin1String("jpeg")}};
    for (const auto& encoding : encodings) {
        if (!source.hasFormat(encoding.type))
            continue;
        const QByteArray bytes = source.data(encoding.type);
        const QImage image = encoding.decode(bytes);
        if (!image.isNull())
            return {Picture{image, bytes, encoding.kind}};
    }
    if (source.hasImage()) {
        const QImage image = source.imageData().value<QImage>();
        if (!image.isNull())
            return {pngPicture(image)};
    }
    std::vector<Picture> pictures;
    for (const QUrl& url : source.urls()) {
        std::optional<Picture> picture = pictureInFile(url);
        if (!picture)
            return {};
        pictures.push_back(std::move(*picture));
    }
    return pictures;
}

} // namespace

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
        pasteFrom(*data, PasteContent::TextOnly);
    else if (clipFormat == CF_BITMAP && !isPlainTextMode())
        pasteFrom(*data, PasteContent::PictureOnly);
}

bool RichEditControl::canInsertFromMimeData(const QMimeData* source) const
{
    if (isPlainTextMode())
        return source->hasText();
    if (qobject_cast<const RichEditMimeData*>(source) ||
        std::any_of(std::begin(RtfTypes), std::end(RtfTypes),
                    [source](const QString& type) { return source->hasFormat(type); }))
        return true;
    if (m_oleCallback && (source->hasImage() || source->hasFormat(RichEditMimeData::PngType) ||
                          source->hasFormat(RichEditMimeData::JpegType)))
        return true;
    return source->hasText();
}

void RichEditControl::insertFromMimeData(const QMimeData* source)
{
    pasteFrom(*source, isPlainTextMode() ? PasteContent::TextOnly : PasteContent::Anything);
}

void RichEditControl::pasteFrom(const QMimeData& source, PasteContent content)
{
    QTextCursor cursor = textCursor();
    if (!mayChange({WM_PASTE, 0, 0}, {cursor.selectionStart(), cursor.selectionEnd()}))
        return;
    // One undo step, however many edits the paste takes.
    cursor.beginEditBlock();
    switch (content) {
    case PasteContent::Anything:
        // Pictures that cannot be inserted leave the text that comes with them.
        if (!pasteRichText(source, cursor) && !pastePictures(source, cursor))
            pastePlainText(source, cursor);
        break;
    case PasteContent::TextOnly:
        pastePlainText(source, cursor);
        break;
    case PasteContent::PictureOnly:
        pastePictures(source, cursor);
        break;
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

bool RichEditControl::pasteRichText(const QMimeData& source, QTextCursor& cursor)
{
    const int start = cursor.selectionStart();
    if (const auto* own = qobject_cast<const RichEditMimeData*>(&source)) {
        // Text that ends with a paragraph break leaves the paragraph after it
        // in its own format (Qt would give it the format of the paragraph
        // that followed the copied text).
        const QTextBlockFormat format = cursor.blockFormat();
        const QPointer<QTextList> list = cursor.currentList();
        own->addPicturesTo(document());
        cursor.insertFragment(own->fragment());
        if (cursor.atBlockStart() && cursor.block() != document()->findBlock(start)) {
            cursor.setBlockFormat(format);
            if (QTextList* pastedList = cursor.currentList(); pastedList && pastedList != list)
                pastedList->remove(cursor.block());
            if (list && cursor.currentList() != list)
                list->add(cursor.block());
        }
        trimPastedRichText(cursor, start);
        return true;
    }
    for (const QString& type : RtfTypes) {
        if (!source.hasFormat(type))
            continue;
        const QByteArray rtf = source.data(type);
        RtfReader reader(cursor);
        if (!reader.feed(rtf.constData(), rtf.size()) || !reader.finish())
            continue; // not RTF after all: the next kind
        cursor = reader.cursor();
        trimPastedRichText(cursor, start);
        return true;
    }
    return false;
}

void RichEditControl::trimPastedRichText(QTextCursor& cursor, int start)
{
    int end = cursor.position();
    QTextCursor remover(document());
    const auto remove = [&](int from, int to) {
        remover.setPosition(from);
        remover.setPosition(to, QTextCursor::KeepAnchor);
        remover.removeSelectedText();
        end -= to - from;
    };
    if (!m_oleCallback) {
        std::vector<std::pair<int, int>> objects;
        forEachFormatRun(document(), start, end, [&](const QTextCharFormat& run, int from, int to) {
            if (run.isImageFormat())
                objects.emplace_back(from, to);
            return true;
        });
        for (auto it = objects.crbegin(); it != objects.crend(); ++it)
            remove(it->first, it->second);
    }
    const int excess = GetTextLength() - m_limit;
    if (excess > 0)
        remove(std::max(start, end - excess), end);
    cursor.setPosition(end);
}

bool RichEditControl::pastePictures(const QMimeData& source, QTextCursor& cursor)
{
    if (!m_oleCallback)
        return false;
    const std::vector<Picture> pictures = picturesIn(source);
    const QString objects(int(pictures.size()), QChar::ObjectReplacementCharacter);
    if (pictures.empty() || fitToLimit(objects, cursor).size() < objects.size())
        return false;
    for (const Picture& picture : pictures)
        DocumentPictures::insert(cursor, picture.image, picture.bytes, picture.kind);
    return true;
}

void RichEditControl::pastePlainText(const QMimeData& source, QTextCursor& cursor)
{
    const QString text = source.text();
    if (text.isEmpty())
        return;
    cursor.insertText(fitToLimit(PlainTextCodec::normalisedBreaks(text), cursor));
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
    auto* data = new RichEditMimeData(textCursor());
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
        m_notify->notifyContextMenu(event->globalPosition().toPoint());
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
    m_notify->notifyContextMenu(viewport()->mapToGlobal(cursorRect().bottomLeft()));
}
