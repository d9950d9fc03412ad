#pragma once

// Builds the QTextTable of a Word table as its rows and cells are read: columns as the table's
// grid gives them, cells that span grid columns (w:gridSpan) and cells merged with the ones
// above them (w:vMerge), which become merged cells of the QTextTable once the table ends.

#include <QList>
#include <QTextCursor>

#include <optional>

class QTextTable;

class DocxTableBuilder
{
public:
    enum class VerticalMerge { None, Restart, Continue };

    // Inserts a table with the columns of `columnWidths` (twips; one column when empty) at the
    // cursor.
    DocxTableBuilder(QTextCursor cursor, const QList<int>& columnWidths);

    void startRow();
    // The start of the next cell of the row, spanning `span` grid columns. A cell that
    // continues a merge gives no cursor: its content is the cell above's.
    std::optional<QTextCursor> startCell(int span, VerticalMerge merge);
    // Merges the cells, removes the rows made in advance; the cursor after the table.
    QTextCursor finish();

private:
    struct Merge
    {
        int row = 0;
        int column = 0;
        int rows = 1;
        int columns = 1;
    };

    void endVerticalMerges(int from, int to);

    QTextTable* m_table = nullptr;
    int m_row = -1;
    int m_column = 0;
    QList<Merge> m_open;   // vertical merges going on, by their first column
    QList<Merge> m_merges; // merges ended
};
