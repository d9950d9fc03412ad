#pragma once

// Word and OpenDocument documents read by the control as it reads RTF. A package is read
// whole (a ZIP archive is read from its end).
//
// A whole document is read straight into the control's document, without going through RTF:
// that is what makes a large document open in a second. A package can still turn out damaged
// halfway (XML that breaks off, a picture over its cap), so what the document held is kept as
// RTF first and put back then. Into a selection the package is read into a document of its own
// and inserted as RTF, as one edit.

class QByteArray;
class QTextCursor;
class QTextDocument;

namespace PackageReading {

// Whether `bytes`, the first of a stream, begin a package.
bool isPackage(const QByteArray& bytes);

// Reads `package` over the whole of `document`; false when it cannot be read, the document
// then holding what it held.
bool readWholeDocument(QTextDocument& document, const QByteArray& package);

// Reads `package` over `cursor`'s selection; false, with nothing changed, when it cannot be read.
bool readIntoSelection(QTextCursor& cursor, const QByteArray& package);

} // namespace PackageReading
