#pragma once

// How the writers of Word and OpenDocument files see a QTextDocument: its frames walked into
// paragraphs and tables, a paragraph's fragments as runs with what the writers need of them
// (link, field, note, picture), run text cut at tabs and line breaks, and the cells of a
// table row by row with the places that merged cells cover.

#include <QFont>
#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextFrame>

class QTextBlock;
class QTextDocument;
class QTextTable;

struct OfficeRun
{
    QTextCharFormat format;
    int formatIndex = -1; // the format's index in its document
    QString text;         // a picture's run holds its object characters
    QString link;         // the run's link target ("#name" inside the document); empty: no link
    QString field;        // the instruction of the field whose result the run is, other than a link's
    QByteArray note;      // the footnote or endnote whose reference mark the run is, as RTF
    int noteCodePage = 1250;
    bool noteNumbered = false; // the mark is the note's automatic number
    bool picture = false;
};

namespace OfficeFlow {

// The runs of a paragraph, one for each fragment, in order.
QList<OfficeRun> runsOf(const QTextBlock& block);

enum class PieceKind { Text, Tab, LineBreak };
struct Piece
{
    PieceKind kind = PieceKind::Text;
    QString text; // of a Text piece
};
// A run's text cut at its tabs and line breaks (U+2028, and a line feed kept in the text);
// characters that XML cannot hold are left out.
QList<Piece> piecesOf(QStringView text);

// Receives the content of a frame in order; tables are walked by the receiver itself.
class Visitor
{
public:
    virtual ~Visitor() = default;
    virtual void paragraph(const QTextBlock& block) = 0;
    virtual void table(const QTextTable& table) = 0;
};

// Hands the paragraphs and tables from `it` on to the end of its frame to `visitor`; the
// content of other frames goes as if it stood in this one.
void walk(QTextFrame::iterator it, Visitor& visitor);

// What stands at a row and column of a table: the first place of a cell, the first column of
// a cell that spans down from a row above, or a place the cell to its left covers.
enum class CellPlace { Origin, Below, Covered };
CellPlace placeOf(const QTextTable& table, int row, int column);

// The font and size (in points) of most of the document's text, which its defaults give;
// the document's default font for what the text does not set.
QFont prevailingFont(const QTextDocument& document);

// The widths of a table's columns in twips: the fixed widths it keeps, shares of 9000 twips
// (about a page's width) for the others.
QList<int> columnWidths(const QTextTable& table);

} // namespace OfficeFlow
