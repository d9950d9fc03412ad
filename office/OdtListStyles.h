#pragma once

// The list styles of an OpenDocument text (<text:list-style>), common and automatic: for each
// of up to ten levels, the kind of label (a number in one of five kinds, a bullet, or none),
// the start number, the label's text around the numbers and the indents of the items.

#include "office/DocxProperties.h"

#include <QHash>
#include <QString>

#include <array>
#include <optional>

class XmlPartReader;

class OdtListStyles
{
public:
    static constexpr int LevelCount = 10;

    struct Level
    {
        int numbering = PFN_ARABIC; // PFN_; 0 for a level that shows no label
        int start = 1;
        // The label as ListLabels takes it: the numbers of levels 0..8 as the characters 0..8.
        QString levelText;
        int style = PFNS_PERIOD;         // PFNS_, the nearest to the label's text
        DocxParagraphProperties indents; // left indent and first line of the items
    };

    // Reads <text:list-style>, the current element, up to its end. The automatic styles of
    // the document's text are found before common styles of the same name.
    void read(XmlPartReader& xml, bool automatic);

    // The level `level` (0-based) of the list style `name`; nothing when it has none.
    std::optional<Level> level(const QString& name, int level) const;

private:
    using Levels = std::array<std::optional<Level>, LevelCount>;

    QHash<QString, Levels> m_common;
    QHash<QString, Levels> m_automatic;
};
