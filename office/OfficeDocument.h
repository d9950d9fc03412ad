#pragma once

// Word (.docx) and OpenDocument (.odt) documents as a whole, for whoever loads and saves
// them: a package is read by the reader its content asks for, whatever the file is named
// (a Word document saved with the extension .odt still opens), and written in the format
// the caller chooses.

#include <QString>

class QByteArray;
class QIODevice;
class QTextDocument;

namespace OfficeDocument {

enum class Format { Docx, Odt };

// Whether `bytes` begin as a ZIP archive, the container of both formats.
bool isPackage(const QByteArray& bytes);

// Reads the package `bytes` into `document`, which should be empty; on failure `error` says
// why and the document holds part of what was read.
bool read(const QByteArray& bytes, QTextDocument& document, QString& error);

// Writes `document` as a whole package into `device`; on failure `error` says why.
bool write(Format format, const QTextDocument& document, QIODevice& device, QString& error);

} // namespace OfficeDocument
