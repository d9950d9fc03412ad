#include "editcontrol/RichEditStreaming.h"

#include "editcontrol/DocumentText.h"
#include "editcontrol/EditStreamIo.h"
#include "editcontrol/PackageReading.h"
#include "editcontrol/PlainTextLists.h"
#include "editcontrol/PlainTextNotes.h"
#include "platform/PlainTextCodec.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <optional>

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

RichEditStreaming::RichEditStreaming(QTextDocument& document, LONG textLimit, FirstScreen firstScreen)
    : m_document(document), m_textLimit(textLimit), m_firstScreen(std::move(firstScreen))
{
}

std::optional<LONG> RichEditStreaming::read(UINT format, EDITSTREAM& stream, QTextCursor cursor, Undo undo)
{
    stream.dwError = 0;
    if (!stream.pfnCallback) {
        stream.dwError = EditStreamIo::NoCallback;
        return std::nullopt;
    }
    const Target target = (format & SFF_SELECTION) ? Target::Selection : Target::WholeDocument;
    if (target == Target::WholeDocument)
        cursor.select(QTextCursor::Document);
    const int lengthBefore =
        DocumentText::length(m_document) - (cursor.selectionEnd() - cursor.selectionStart());
    // Loading is no edit of the user's: whether the document counts as modified
    // afterwards is for the caller to say.
    const bool modified = m_document.isModified();
    // A whole document read from a file is no edit the user can undo; keeping
    // it out of the undo stack also saves the memory of a second copy.
    if (target == Target::WholeDocument)
        m_document.setUndoRedoEnabled(false);
    const bool read =
        isRichTextFormat(format) ? readRtf(stream, cursor, target) : readText(format, stream, cursor, target);
    // A rich text file longer than the limit is cut.
    if (read && DocumentText::length(m_document) > m_textLimit) {
        QTextCursor excess(&m_document);
        excess.setPosition(m_textLimit);
        excess.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        excess.removeSelectedText();
    }
    if (target == Target::WholeDocument)
        m_document.setUndoRedoEnabled(undo == Undo::On);
    m_document.setModified(modified);
    if (!read)
        return std::nullopt;
    return std::max(0, DocumentText::length(m_document) - lengthBefore);
}

bool RichEditStreaming::readText(UINT format, EDITSTREAM& stream, QTextCursor& cursor, Target target)
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
    case Target::WholeDocument:
        DocumentText::replaceAll(m_document, text, m_textLimit);
        break;
    case Target::Selection:
        cursor.beginEditBlock();
        cursor.insertText(DocumentText::fitted(text, cursor, m_textLimit));
        cursor.endEditBlock();
        break;
    }
    return true;
}

bool RichEditStreaming::readRtf(EDITSTREAM& stream, QTextCursor& cursor, Target target)
{
    // The first bytes tell RTF from a Word or OpenDocument package, which is read whole.
    constexpr qsizetype SignatureSize = 4;
    QByteArray start;
    std::optional<QByteArray> package;
    std::optional<RtfReader> reader;
    // A whole document that takes long to read shows its first screen while the
    // rest is read. (Text read into the selection is one undo step: it is shown
    // when it is all read.)
    QElapsedTimer reading;
    reading.start();
    bool shown = target != Target::WholeDocument || !m_firstScreen.isShown;
    const auto feedRtf = [&](const char* data, qsizetype size) {
        if (!reader->feed(data, size))
            return false;
        if (!shown && reading.elapsed() >= FirstScreenAfterMs) {
            shown = true;
            if (m_firstScreen.isShown()) {
                reader->showSoFar();
                m_firstScreen.show();
            }
        }
        return true;
    };
    const auto decide = [&] {
        if (PackageReading::isPackage(start)) {
            package = std::move(start);
            return true;
        }
        reader.emplace(cursor);
        return feedRtf(start.constData(), start.size());
    };
    const auto feed = [&](const char* data, qsizetype size) {
        if (package) {
            package->append(data, size);
            return true;
        }
        if (reader)
            return feedRtf(data, size);
        start.append(data, size);
        return start.size() < SignatureSize || decide();
    };
    if (!EditStreamIo::readChunks(stream, feed) || (!package && !reader && !decide())) {
        if (stream.dwError == 0)
            stream.dwError = EditStreamIo::NotRtf;
        return false;
    }
    if (package) {
        const bool read = target == Target::WholeDocument
                              ? PackageReading::readWholeDocument(m_document, *package)
                              : PackageReading::readIntoSelection(cursor, *package);
        if (!read)
            stream.dwError = EditStreamIo::DamagedPackage;
        return read;
    }
    if (!reader->finish()) {
        stream.dwError = EditStreamIo::NotRtf;
        return false;
    }
    return true;
}

LONG RichEditStreaming::write(UINT format, EDITSTREAM& stream, const QTextCursor& selection) const
{
    stream.dwError = 0;
    if (!stream.pfnCallback) {
        stream.dwError = EditStreamIo::NoCallback;
        return 0;
    }
    const CHARRANGE range = (format & SFF_SELECTION)
                                ? CHARRANGE{selection.selectionStart(), selection.selectionEnd()}
                                : WholeText;
    if (!isRichTextFormat(format)) {
        const int from = std::clamp<int>(range.cpMin, 0, DocumentText::length(m_document));
        const QString rangeText = DocumentText::range(m_document, range);
        const int to = from + int(rangeText.size());
        const QString text =
            PlainTextCodec::exported(PlainTextLists::withLabels(m_document, from, rangeText) +
                                     PlainTextNotes::notesText(m_document, from, to));
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
    const bool complete = RtfWriter(m_document, options).write(put, range.cpMin, range.cpMax);
    if (!complete && stream.dwError == 0)
        stream.dwError = EditStreamIo::WriteStalled;
    return complete ? LONG(std::min<qsizetype>(written, std::numeric_limits<LONG>::max())) : 0;
}
