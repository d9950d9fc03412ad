#pragma once

// Reads fields ({\field}): the instruction ({\*\fldinst}) is gathered; at the result
// ({\fldrslt}) a HYPERLINK field makes its text a link, and a field whose value the reader
// can compute (SYMBOL, PAGE, DATE ...) keeps its instruction on its text, so that a save
// writes the field again. A field of such a kind that showed nothing gets the result its
// kind makes when its group ends.

#include "rtf/RtfReaderState.h"

#include <QString>

#include <cstddef>
#include <vector>

class RtfDocumentBuilder;
class RtfTextDecoder;
struct RtfField;

class RtfFieldReader
{
public:
    RtfFieldReader(RtfDocumentTables& tables, RtfTextDecoder& decoder, RtfDocumentBuilder& builder)
        : m_tables(tables), m_decoder(decoder), m_builder(builder)
    {
    }

    // A field starts in the group that is `depth` deep.
    void start(std::size_t depth);
    void appendInstruction(char16_t character)
    {
        if (!m_fields.empty())
            m_fields.back().instruction += QChar(character);
    }
    // The field's result starts: its text gets the link or instruction of the field.
    void startResult(CharState& chars);

    // Whether the innermost field's group has ended, the groups now `depth` deep.
    bool hasEnded(std::size_t depth) const { return !m_fields.empty() && m_fields.back().depth > depth; }
    // Ends the innermost field; `group` is the group it stood in. Unless the file was cut
    // off, a field that showed nothing shows the result its kind makes.
    enum class Ending { Complete, Truncated };
    void finish(const GroupState& group, Ending ending);

private:
    // A field being read, at the depth of the group that holds it.
    struct Field
    {
        std::size_t depth = 0;
        QString instruction;
        qint64 contentBefore = 0; // of the builder when the field began
    };

    void showResult(const Field& field, const GroupState& group);
    QString symbolOf(const RtfField& field, CharState& chars);
    int fontNamed(const QString& name);
    int keepInstruction(const QString& instruction);

    RtfDocumentTables& m_tables;
    RtfTextDecoder& m_decoder;
    RtfDocumentBuilder& m_builder;
    std::vector<Field> m_fields;
};
