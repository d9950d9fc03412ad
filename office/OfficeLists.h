#pragma once

// The lists of a document as Word and OpenDocument files define them: lists that nest become
// one list of up to nine levels (as the RTF writer groups them), each level with its kind,
// start number, label and indents. A QTextList is one level of one such list.

#include "rtf/RtfListTable.h"

#include <QString>

class QTextBlock;
class QTextDocument;
class QTextList;

class OfficeLists
{
public:
    using Level = RtfListTable::Level;
    using Levels = RtfListTable::Levels;
    static constexpr int LevelCount = RtfListTable::LevelCount;

    // Groups the lists of every paragraph of `document`, tables included.
    explicit OfficeLists(const QTextDocument& document);

    int count() const { return int(m_table.nestedLists().size()); }
    // The nested list of `list`, from 0; -1 for a list not in the document.
    int indexOf(const QTextList* list) const { return m_table.overrideIndex(list) - 1; }
    // The level `list` stands for, from 0.
    int levelOf(const QTextList* list) const { return m_table.levelOf(list); }
    // The nine levels of a nested list, those no paragraph uses filled in.
    Levels levels(int index) const { return RtfListTable::completed(m_table.nestedLists().at(index)); }

    // The label of a numbered level with its numbers as the characters 0..8 (the number of
    // the level `index` and those above it that it shows): as read, or from its style.
    static QString labelTemplate(const Level& level, int index);
    // The number shown for a list paragraph: its list's start number plus the items before it.
    static int numberOf(const QTextBlock& block);

private:
    RtfListTable m_table;
};
