// The control's streaming: a whole document or the selection read from and
// written to an EDITSTREAM callback, as RTF or as plain text.

#include "editcontrol/RichEditControl.h"

#include "editcontrol/DocumentText.h"
#include "editcontrol/EditStreamIo.h"
#include "platform/PlainTextCodec.h"
#include "editcontrol/PlainTextLists.h"
#include "editcontrol/PlainTextNotes.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>

namespace {

// The bits of a stream format code that name its kind (SF_TEXT, SF_RTF ...).
constexpr UINT StreamKindMask = 0xFF;

// How long reading a document may leave the screen as it was: a tenth of a
// second goes unnoticed, longer and the window looks stuck.
constexpr qint64 FirstScreenAfterMs = 100;

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
    const bool read = isRichTextFormat(format) ? streamInRtf(stream, cursor, target)
                                               : streamInText(format, stream, cursor, target);
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
        DocumentText::replaceAll(*document(), text, m_limit);
        break;
    case StreamTarget::Selection:
        cursor.beginEditBlock();
        cursor.insertText(fitToLimit(text, cursor));
        cursor.endEditBlock();
        break;
    }
    return true;
}

bool RichEditControl::streamInRtf(EDITSTREAM& stream, QTextCursor& cursor, StreamTarget target)
{
    RtfReader reader(cursor);
    // A whole document that takes long to read shows its first screen while the
    // rest is read. (Text read into the selection is one undo step: it is shown
    // when it is all read.)
    QElapsedTimer reading;
    reading.start();
    bool shown = target != StreamTarget::WholeDocument;
    const auto feed = [&](const char* data, qsizetype size) {
        if (!reader.feed(data, size))
            return false;
        if (!shown && reading.elapsed() >= FirstScreenAfterMs) {
            shown = true;
            showReadSoFar(reader);
        }
        return true;
    };
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

void RichEditControl::showReadSoFar(RtfReader& reader)
{
    if (!isVisible())
        return;
    reader.showSoFar();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    // The whole window: what a dialog closed just before the reading covered is
    // painted again too.
    window()->repaint();
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
        const int from = std::clamp<int>(range.cpMin, 0, GetTextLength());
        const QString rangeText = TextRange(range);
        const int to = from + int(rangeText.size());
        const QString text =
            PlainTextCodec::exported(PlainTextLists::withLabels(*document(), from, rangeText) +
                                     PlainTextNotes::notesText(*document(), from, to));
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
