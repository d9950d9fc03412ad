#include "office/DocxTableBuilder.h"

#include "format/TextFormatProperties.h"

#include <QTextTable>

#include <algorithm>

namespace {

// Word writes at most 63 columns; cells past the last go into it.
constexpr int MaxColumns = 64;
// Rows are added in growing batches: each change of a table's shape makes Qt rebuild its grid.
constexpr int MaxRowsAddedAtOnce = 256;

} // namespace

DocxTableBuilder::DocxTableBuilder(QTextCursor cursor, const QList<int>& columnWidths)
{
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    QList<QTextLength> widths;
    for (int width : columnWidths.mid(0, MaxColumns))
        widths.append(
            QTextLength(QTextLength::FixedLength, TextFormatProperties::twipsToPixels(std::max(width, 15))));
    format.setColumnWidthConstraints(widths);
    m_table = cursor.insertTable(1, std::max<int>(1, int(widths.size())), format);
}

void DocxTableBuilder::startRow()
{
    ++m_row;
    m_column = 0;
    if (m_row >= m_table->rows())
        m_table->appendRows(std::clamp(m_table->rows(), 1, MaxRowsAddedAtOnce));
}

std::optional<QTextCursor> DocxTableBuilder::startCell(int span, VerticalMerge merge)
{
    if (m_row < 0)
        startRow();
    const int column = std::min(m_column, MaxColumns - 1);
    span = std::clamp(span, 1, MaxColumns - column);
    m_column = column + span;
    if (m_column > m_table->columns())
        m_table->appendColumns(m_column - m_table->columns());
    const auto open = std::find_if(m_open.begin(), m_open.end(), [&](const Merge& cell) {
        return cell.column == column && cell.columns == span && cell.row + cell.rows == m_row;
    });
    if (merge == VerticalMerge::Continue && open != m_open.end()) {
        ++open->rows;
        return std::nullopt;
    }
    endVerticalMerges(column, column + span);
    if (merge == VerticalMerge::Restart)
        m_open.append({m_row, column, 1, span});
    else if (span > 1)
        m_merges.append({m_row, column, 1, span});
    return m_table->cellAt(m_row, column).firstCursorPosition();
}

void DocxTableBuilder::endVerticalMerges(int from, int to)
{
    for (qsizetype index = m_open.size() - 1; index >= 0; --index) {
        const Merge& cell = m_open.at(index);
        if (cell.column < to && cell.column + cell.columns > from) {
            m_merges.append(cell);
            m_open.removeAt(index);
        }
    }
}

QTextCursor DocxTableBuilder::finish()
{
    endVerticalMerges(0, MaxColumns);
    const int rows = std::max(1, m_row + 1);
    if (m_table->rows() > rows)
        m_table->removeRows(rows, m_table->rows() - rows);
    for (const Merge& cell : std::as_const(m_merges))
        m_table->mergeCells(cell.row, cell.column, std::min(cell.rows, rows - cell.row), cell.columns);
    QTextCursor after(m_table->document());
    after.setPosition(m_table->lastPosition() + 1);
    return after;
}
