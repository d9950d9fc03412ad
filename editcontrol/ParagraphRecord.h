#pragma once

// What the editor keeps with a paragraph between paints. Qt gives a block one
// user data only, so everything the editor notes about a paragraph stands in
// this one record: whoever set it second would otherwise throw away what the
// first one noted.

#include <QTextBlock>
#include <QTextBlockUserData>

struct ParagraphRecord : QTextBlockUserData
{
    // How far the measured paragraph (or the table it starts) reaches to the
    // right, in the layout's units (ParagraphLayout).
    int measuredWidth = 0;

    // The paragraph's record, or null when nothing has been noted yet.
    static ParagraphRecord* find(const QTextBlock& block);
    // The paragraph's record, made on first use.
    static ParagraphRecord& of(QTextBlock block);
};
