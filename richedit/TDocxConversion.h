#pragma once

// The conversion of Word documents (.docx) for `Lines`: what the control reads is RTF. The
// first chunk asked for reads the whole stream (a ZIP archive is read from its end); a Word
// document is read into a document of its own and written out as RTF, which the following
// chunks hand over. A document that cannot be read fails every attempt, so the load fails
// with the editor untouched. Bytes that are not a ZIP archive pass through unchanged, as
// through the default conversion, so the conversion kept after a load serves any later one.

#include "richedit/TRichEditStrings.h"

#include <QByteArray>

class TDocxConversion : public TConversion
{
public:
    int ReadChunk(QIODevice& stream, char* buffer, int size) override;

private:
    void convert(QIODevice& stream);

    bool m_started = false;
    QByteArray m_output;
    qsizetype m_handedOver = 0;
    qint64 m_streamEnd = 0; // where the stream stood after it was read
};
