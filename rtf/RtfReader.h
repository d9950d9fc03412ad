#pragma once

// Reads RTF into a QTextDocument, fed in chunks as a stream delivers them.
//
//     RtfReader reader(cursor);
//     while (...) if (!reader.feed(chunk, size)) -> not RTF, try plain text
//     reader.finish();
//
// The text is inserted at the cursor, replacing its selection, as one edit block. Character
// and paragraph formats carry the Windows values in the user properties described in
// format/TextFormatProperties.h. Pictures, and the pictures of shapes, become image
// characters whose images are resources of the document; pictures, objects and shapes that
// cannot be shown are kept as their RTF text on a placeholder character, so that RtfWriter
// writes them back unchanged.
//
// Damaged input never fails the read: unbalanced braces, truncated files, unknown control
// words, huge numbers and deep nesting are all read as far as they make sense. Only input
// that does not begin with "{\rtf" (after blanks) is refused, before the document is touched.

#include <QString>
#include <QTextCursor>

#include <memory>

class RtfParser;

class RtfReader
{
public:
    explicit RtfReader(QTextCursor cursor);
    ~RtfReader(); // finishes a read that was not finished
    RtfReader(const RtfReader&) = delete;
    RtfReader& operator=(const RtfReader&) = delete;

    // Reads the next bytes. Returns false when the input is not RTF; the document is then
    // unchanged and later calls return false too.
    bool feed(const char* data, qsizetype size);

    // Ends the input. Returns false when it was not RTF (or empty).
    bool finish();

    // Lets the document's layout and views see what has been read so far (all but the
    // text of the paragraph being read): the edit block is closed and another opened,
    // so the read becomes more than one undo step. For a long read whose edits are not
    // undone one by one, such as a whole document loaded with undo turned off.
    void showSoFar();

    // Why feed or finish returned false; empty otherwise.
    QString errorString() const;

    // The cursor after the inserted text.
    QTextCursor cursor() const;

private:
    std::unique_ptr<RtfParser> m_parser;
};
