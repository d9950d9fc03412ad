#pragma once

// The tables at the head of the RTF the writer writes: fonts, colours, and the list table
// with its overrides. The writer registers what the text uses while it looks through the
// document, then writes the header, then refers to the tables by number in the text.

#include "rtf/RtfListTable.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QRgb>
#include <QString>

class QTextBlockFormat;
class QTextCharFormat;
class QTextList;
class RtfOutput;

class RtfWriterTables
{
public:
    // Font 0 is the document's default face, in the Central European character set.
    explicit RtfWriterTables(const QString& defaultFamily);

    // The number of a face in a character set, added to the font table when new. An
    // empty family is the default face.
    int fontIndex(const QString& family, int charset);
    // The font of a character format: its first family, in its character set.
    int fontIndex(const QTextCharFormat& format);
    // The colour's number; 0 (the automatic colour) for an invalid colour.
    int colorIndex(const QColor& color);

    // Registers a list paragraph (with format), in document order.
    void addListParagraph(const QTextList* list, const QTextBlockFormat& format,
                          RtfListTable::Follows follows);
    const RtfListTable& lists() const { return m_lists; }
    // The font of the bullets' symbol; -1 until a bulleted list is added.
    int symbolFont() const { return m_symbolFont; }

    // The header up to the text: \rtf1 ... the font, colour and list tables.
    void writeHeader(RtfOutput& out) const;

private:
    struct FontKey
    {
        QString family;
        int charset = 238;
        friend bool operator==(const FontKey&, const FontKey&) = default;
        friend size_t qHash(const FontKey& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.family, key.charset);
        }
    };
    QString m_defaultFamily;
    QList<FontKey> m_fonts;
    QHash<FontKey, int> m_fontIndexes;
    int m_symbolFont = -1;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorIndexes;
    RtfListTable m_lists;
};
