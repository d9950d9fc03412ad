#pragma once

// A footnote or endnote that did not come from RTF (a Word or OpenDocument file's note) in the
// shape the RTF reader keeps a note read: the note's group, "{\footnote ...}" or
// "{\footnote\ftnalt ...}", on the character format of its reference mark. The editor, the RTF
// writer and plain-text saving then treat it as a note read from RTF.
//
// The group holds the note's mark and its paragraphs with their character attributes. Faces
// and colours are left out: the group is written into other documents, whose font and colour
// tables it cannot name.

#include <QByteArray>
#include <QString>

class QTextCharFormat;
class QTextDocument;

namespace RtfNoteGroup {

enum class Kind { Footnote, Endnote };

// The code page of the group's bytes: Windows-1250, as the RTF writer writes.
inline constexpr int CodePage = 1250;

// The automatic mark of the number-th note (1-based) of a kind: footnotes 1, 2, 3, endnotes
// i, ii, iii, as word processors number them by default.
QString automaticMark(Kind kind, int number);

// The group of a note whose text is the paragraphs of `note`. An empty customMark means the
// note is numbered automatically: its group starts with the automatic number (\chftn), else
// with customMark, in superscript and followed by a blank.
QByteArray write(const QTextDocument& note, Kind kind, const QString& customMark = {});

// Makes `mark`, the format of a reference mark's characters, carry the note `group`: numbered
// when the mark is the note's automatic number.
void setNote(QTextCharFormat& mark, const QByteArray& group, bool numbered);

} // namespace RtfNoteGroup
