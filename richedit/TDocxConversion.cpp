#include "richedit/TDocxConversion.h"

#include "office/DocxReader.h"
#include "platform/ZvExceptions.h"
#include "rtf/RtfWriter.h"

#include <QIODevice>
#include <QTextDocument>

#include <algorithm>
#include <cstring>

namespace {

bool isZipArchive(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayView("PK\x03\x04", 4));
}

} // namespace

int TDocxConversion::ReadChunk(QIODevice& stream, char* buffer, int size)
{
    // A stream set back to its start is a second attempt, or another load.
    if (m_started && stream.pos() != m_streamEnd)
        m_started = false;
    if (!m_started)
        convert(stream);
    const int count = int(std::min<qsizetype>(size, m_output.size() - m_handedOver));
    std::memcpy(buffer, m_output.constData() + m_handedOver, size_t(count));
    m_handedOver += count;
    // The end of this attempt: the next call is another one.
    if (count == 0)
        m_started = false;
    return count;
}

void TDocxConversion::convert(QIODevice& stream)
{
    m_output = stream.readAll();
    m_handedOver = 0;
    m_streamEnd = stream.pos();
    if (!isZipArchive(m_output)) {
        m_started = true;
        return;
    }
    QTextDocument document;
    DocxReader reader;
    const bool read = reader.read(m_output, document);
    m_output.clear();
    if (!read)
        throw EReadError(reader.errorString());
    RtfWriter(document).write([&](const char* data, qsizetype size) {
        m_output.append(data, size);
        return true;
    });
    m_started = true;
}
