#include "richedit/TOfficeConversion.h"

#include "platform/ZvExceptions.h"
#include "rtf/RtfReader.h"

#include <QScopeGuard>
#include <QTextCursor>
#include <QTextDocument>

int TOfficeConversion::WriteChunk(QIODevice&, const char* buffer, int size)
{
    m_written.append(buffer, size);
    return size;
}

void TOfficeConversion::FinishWrite(QIODevice& stream)
{
    const auto release = qScopeGuard([this] { m_written = QByteArray(); });
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    {
        RtfReader reader{QTextCursor(&document)};
        if (!reader.feed(m_written.constData(), m_written.size()) || !reader.finish())
            throw EWriteError(reader.errorString());
    }
    QString error;
    if (!OfficeDocument::write(m_format, document, stream, error))
        throw EWriteError(error);
}
