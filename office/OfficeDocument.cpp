#include "office/OfficeDocument.h"

#include "office/DocxReader.h"
#include "office/DocxWriter.h"
#include "office/OdtReader.h"
#include "office/OdtWriter.h"

#include <QByteArray>

namespace {

// An OpenDocument package begins with its uncompressed "mimetype" entry, so its media type
// stands in the first bytes of the file.
bool isOpenDocumentText(const QByteArray& bytes)
{
    return bytes.left(100).contains("mimetypeapplication/vnd.oasis.opendocument.text");
}

template <typename Worker> bool reported(const Worker& worker, bool done, QString& error)
{
    if (!done)
        error = worker.errorString();
    return done;
}

} // namespace

namespace OfficeDocument {

bool isPackage(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayView("PK\x03\x04", 4));
}

bool read(const QByteArray& bytes, QTextDocument& document, QString& error)
{
    if (isOpenDocumentText(bytes)) {
        OdtReader reader;
        return reported(reader, reader.read(bytes, document), error);
    }
    DocxReader reader;
    return reported(reader, reader.read(bytes, document), error);
}

bool write(Format format, const QTextDocument& document, QIODevice& device, QString& error)
{
    if (format == Format::Odt) {
        OdtWriter writer;
        return reported(writer, writer.write(document, device), error);
    }
    DocxWriter writer;
    return reported(writer, writer.write(document, device), error);
}

} // namespace OfficeDocument
