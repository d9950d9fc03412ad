#pragma once

// Automatic word selection for a drag with the left button, as the Windows rich
// edit control does it. While the pointer stays in the word where the button
// went down, the selection runs character by character from the press; once it
// leaves that word, both ends snap to whole words: the end at the press to the
// far edge of the press's word, the end at the pointer to the edge of the word
// under it. A word here is a run of non-blanks with the blanks after it, so the
// words tile each paragraph, and a paragraph's end always ends one.
// Positions are cursor positions of the document, counted from 0.

#include <utility>

class QTextDocument;

class WordwiseDrag
{
public:
    WordwiseDrag(const QTextDocument& document, int press);

    // The selection's anchor and active end with the pointer at `pointer`.
    std::pair<int, int> selectionTo(const QTextDocument& document, int pointer) const;

private:
    int m_press;
    int m_wordStart; // the press's word
    int m_wordEnd;
};
