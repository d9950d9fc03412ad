#pragma once

// How a paragraph's text is cut into the words a dictionary is asked about.
//
// Words are found by Unicode word boundaries. A word holding a digit (a number, "5.", "A4",
// "mp3") is not checked, nor is any word of a link or an e-mail address. A dictionary then
// checks a word piece by piece, the pieces being the runs of its letters and of the
// characters the dictionary counts as letters: "Pavel's" is "Pavel" and "s" to a Czech
// dictionary, which is how Hunspell's own command cuts text, so both report the same words.

#include <QList>
#include <QString>

namespace SpellingWords {

struct Span
{
    int start = 0; // 0-based positions in the text
    int length = 0;
    bool operator==(const Span&) const = default;
};

// The words worth checking, in order.
QList<Span> wordsIn(const QString& text);

// The pieces of `word` (a span of `text`) a dictionary with `wordCharacters` checks, in order.
QList<Span> piecesOf(const QString& text, Span word, const QString& wordCharacters);

// The links and e-mail addresses of `text`, in order: a run of characters other than spaces
// that holds "://", "www." at its start, or an "@" between two letters or digits.
QList<Span> linksIn(const QString& text);

} // namespace SpellingWords
