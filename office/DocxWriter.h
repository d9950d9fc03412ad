#pragma once

// Writes a QTextDocument of the editor's document model as a Word document (.docx): the text
// with the character and paragraph formats the model keeps (format/TextFormatProperties.h),
// lists with their kinds, levels and start numbers, tables with merged cells, pictures, links
// and footnotes and endnotes. The DocxReader reads it back into the same model.

#include <QString>

class QIODevice;
class QTextDocument;

class DocxWriter
{
public:
    // Writes the whole package into `device`, which is open for writing; false, with
    // errorString set, when it could not be made or written.
    bool write(const QTextDocument& document, QIODevice& device);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};
