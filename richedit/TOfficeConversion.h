#pragma once

// Saving Word (.docx) and OpenDocument (.odt) documents for `Lines`: the control writes RTF,
// which is gathered, and at the end of the save read into a document of its own and written
// in this conversion's format. (Loading needs no conversion: the control reads both packages
// as it reads RTF.)

#include "office/OfficeDocument.h"
#include "richedit/TRichEditStrings.h"

#include <QByteArray>

class TOfficeConversion : public TConversion
{
public:
    explicit TOfficeConversion(OfficeDocument::Format format) : m_format(format) {}

    void StartWrite() override { m_written.clear(); }
    int WriteChunk(QIODevice& stream, const char* buffer, int size) override;
    void FinishWrite(QIODevice& stream) override;
    // What the editor holds after a load is its own document, not a Word document: a later
    // save into a stream (a snapshot, the clipboard) writes RTF.
    bool ServesOneFile() const override { return true; }

private:
    OfficeDocument::Format m_format;
    QByteArray m_written; // the RTF of the save under way
};
