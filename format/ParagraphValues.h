#pragma once

// A paragraph's format as document readers find it, in the Windows values (twips, PFA_ and
// PFN_ numbers), and the QTextBlockFormat the editor keeps for it (TextFormatProperties).
// The RTF and Word readers fill these from their own syntax and share the making of the
// format, so both give the editor the same paragraphs.

#include "format/FormatValues.h"

#include <QList>
#include <QString>
#include <QTextBlockFormat>

struct ParagraphValues
{
    int alignment = PFA_LEFT;
    int firstIndent = 0; // twips, the first line from the left indent; negative hangs
    int leftIndent = 0;  // twips
    int rightIndent = 0; // twips
    int spaceBefore = 0; // twips
    int spaceAfter = 0;  // twips
    // 0: single; with lineMultiple, 240 a line (360 one and a half lines); otherwise twips,
    // positive at least, negative exactly.
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool pageBreakBefore = false;
    QList<int> tabs; // left tab stops, twips
    friend bool operator==(const ParagraphValues&, const ParagraphValues&) = default;
};

// The numbering of a list paragraph; numbering 0 is no list.
struct ListItemValues
{
    int numbering = 0; // PFN_
    int start = 1;
    int style = PFNS_PERIOD; // PFNS_
    int level = 0;           // 0-based
    QString levelText;       // the label as the list level gives it (ListLabels), if it does
    bool legal = false;      // every number in the label in arabic (ListLabels)
    int numberingTab = 0;    // twips, 0 when not given
    friend bool operator==(const ListItemValues&, const ListItemValues&) = default;
};

QTextBlockFormat blockFormatOf(const ParagraphValues& paragraph, const ListItemValues& list);
