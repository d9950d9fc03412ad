#pragma once

// Finding a text in a document by the rules of the rich edit control's
// EM_FINDTEXTEX. Positions are document positions: a paragraph break counts one.
//
// The document is read paragraph by paragraph from the start of the search, so a
// hit near the start costs little in a long document, and a search through all
// of it reads each paragraph once.

#include "editcontrol/RichEditTypes.h"

#include <QString>

class QTextDocument;

class TextFinder
{
public:
    // `text` is what to look for; a CR, an LF or a CR LF in it stands for a
    // paragraph break. `flags` are FR_DOWN, FR_WHOLEWORD and FR_MATCHCASE.
    TextFinder(const QTextDocument& document, QStringView text, DWORD flags);

    // The range of the hit within `range`, NoRange when there is none; an empty
    // text is never found. With FR_DOWN the hit is the first one lying within
    // `range` (cpMax EndOfText: up to the end). Without it the search runs
    // backward from cpMin: the hit is the last one ending at or before cpMin
    // and, when cpMax is below cpMin, starting at or after cpMax; otherwise the
    // search goes on to the start of the text. Both ends are cut to the text.
    // FR_WHOLEWORD takes only hits with a word break on both sides; without
    // FR_MATCHCASE letters match in either case. A paragraph break in the text
    // matches a paragraph break; a text without one matches inside a paragraph.
    CHARRANGE find(CHARRANGE range) const;

private:
    const QTextDocument& m_document;
    QString m_text; // with its breaks as the document keeps paragraph breaks
    DWORD m_flags;
};
