#pragma once

// What a document holds, block by block and run by run, in values that compare
// with == and print readably, so that two loads of the same document can be
// compared exactly: the text, the character formats (the Qt properties that
// drive the display and the Windows values kept in user properties) and the
// paragraph formats (alignment, indents, spacing, line spacing, list, table
// cell, tab stops). A run is the longest stretch of a block with one format,
// so the same document split into different fragments gives the same snapshot.

#include <QString>

#include <iosfwd>
#include <vector>

class QTextDocument;

struct RunSnapshot
{
    QString text;
    QString family;
    qreal pointSize = 0;
    int sizeTwips = 0;
    int weight = 0;
    bool italic = false;
    int underlineStyle = 0;
    bool strikeOut = false;
    QString textColor;       // "auto" or #aarrggbb
    QString backgroundColor; // "auto" or #aarrggbb
    int verticalAlignment = 0;
    int offsetTwips = 0;
    int charset = 0;
    bool isProtected = false;
    QString link;
    QString object; // pictures and kept objects: kind, size, data length and checksum

    bool operator==(const RunSnapshot&) const = default;
};

struct BlockSnapshot
{
    QString text;
    int alignment = 0;
    int startIndent = 0;
    int offset = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacingRule = 0;
    int lineSpacing = 0;
    QString qtLayout;  // Qt's margins, indent, alignment and line height as laid out
    QString list;      // the QTextList's style and indent, and the Windows numbering values
    QString tableCell; // "row,column of rows x columns" inside a table, else empty
    QString tabs;      // tab stop positions
    int pageBreak = 0;
    std::vector<RunSnapshot> runs;

    bool operator==(const BlockSnapshot&) const = default;
};

std::vector<BlockSnapshot> SnapshotDocument(const QTextDocument& document);

// What differs between two snapshots of a block, field by field ("run 0 font
// "Arial" -> "Sans Serif", ..."); empty when they are equal.
QString DescribeDifference(const BlockSnapshot& before, const BlockSnapshot& after);

// For parameters and values in GoogleTest's messages.
void PrintTo(const RunSnapshot& run, std::ostream* out);
void PrintTo(const BlockSnapshot& block, std::ostream* out);
