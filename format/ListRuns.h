#pragma once

// Puts a document's list paragraphs into QTextLists as a reader builds it. The items of one
// list and level go into one QTextList; an item of an outer level ends the QTextLists of the
// levels under it, so the next deeper item is numbered from its start again; the reader ends
// them all where its format says lists end. Each item added to a QTextList costs Qt time in
// proportion to the list's length, so a long list goes on in a new QTextList whose numbering
// continues.
//
//     const int before = runs.enter(list, level);  // then: start number + before
//     cursor.setBlockFormat(...);
//     runs.add(cursor, list, level, numbering);

#include <QHash>

class QTextBlockFormat;
class QTextCursor;
class QTextList;

class ListRuns
{
public:
    static constexpr int MaxLevel = 8;

    // Every list ends here (RTF: at a paragraph outside lists).
    void endAll() { m_runs.clear(); }
    // Before an item of `list` (any number the reader picks) at `level` (0 .. MaxLevel) gets
    // its format: returns how many items of its run went into QTextLists before the one it
    // joins, to be added to its start number.
    int enter(qint64 list, int level);
    // Ends the run of `list` at `level`: its next item starts a new QTextList, and enter()
    // answers `itemsBefore` (which may be negative) for it, so that its number is the one given.
    void restart(qint64 list, int level, int itemsBefore);
    // Gives `format` the object index of the QTextList of the run entered last for `list` and
    // `level`, when it has one: a paragraph inserted with it joins that list at once, which
    // spares Qt changing its format again in add().
    void join(QTextBlockFormat& format, qint64 list, int level) const;
    // Adds the cursor's paragraph to the run entered last for `list` and `level`, making its
    // QTextList (of the kind PFN_ `numbering` draws) if it is the run's first item there.
    void add(QTextCursor& cursor, qint64 list, int level, int numbering);

private:
    struct Run
    {
        QTextList* list = nullptr;
        int itemsBefore = 0; // items of the same run read into earlier QTextLists
    };
    static qint64 keyOf(qint64 list, int level) { return list << 8 | level; }

    QHash<qint64, Run> m_runs;
};
