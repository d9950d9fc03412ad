#pragma once

// The numbering part of a Word document (numbering.xml): abstract numberings, each with up to
// nine levels (kind, start number, label text, indents), and the numberings the paragraphs
// name (w:numId), each an abstract numbering with some levels' start numbers or whole levels
// overridden.

#include "office/DocxProperties.h"

#include <QHash>
#include <QString>

#include <array>
#include <optional>

class XmlPartReader;

class DocxNumbering
{
public:
    static constexpr int LevelCount = 9;

    struct Level
    {
        int numbering = PFN_ARABIC; // PFN_; 0 for a level that shows no label
        int start = 1;
        // The label as ListLabels takes it: the numbers of levels 0..8 as the characters 0..8.
        QString levelText;
        int style = PFNS_PERIOD; // PFNS_, the nearest to the label text
        bool legal = false;      // w:isLgl: every number of the label in arabic
        DocxParagraphProperties paragraphProperties;
        bool defined = false;
    };

    // Reads numbering.xml; false when it is not well formed (errorString says why).
    bool read(const QByteArray& part);
    QString errorString() const { return m_error; }

    // The level `level` (0-based) of the numbering `id`; nothing when there is none.
    std::optional<Level> level(int id, int level) const;

private:
    using Levels = std::array<Level, LevelCount>;
    struct Instance
    {
        int abstractId = -1;
        QHash<int, int> starts;   // overridden start numbers by level
        QHash<int, Level> levels; // overridden levels
    };

    static int readLevel(XmlPartReader& xml, Levels& levels);

    QHash<int, Levels> m_abstracts;
    QHash<int, Instance> m_instances;
    QString m_error;
};
