#pragma once

// What the editor keeps with a paragraph between paints. Qt gives a block one
// user data only, so everything the editor notes about a paragraph stands in
// this one record: whoever set it second would otherwise throw away what the
// first one noted.

#include "spelling/SpellChecker.h"

#include <QList>
#include <QTextBlock>
#include <QTextBlockUserData>

#include <optional>

struct ParagraphRecord : QTextBlockUserData
{
    // How far the measured paragraph (or the table it starts) reaches to the
    // right, in the layout's units (ParagraphLayout).
    int measuredWidth = 0;

    // The paragraph's misspelled words as one checker (SpellingMarks numbers
    // them) found them at one generation of its words.
    struct Spelling
    {
        quint64 checker = 0;
        quint64 generation = 0;
        QList<MisspelledWord> words;
        bool isSameCheck(const Spelling& other) const
        {
            return checker == other.checker && generation == other.generation;
        }
    };
    // None until the paragraph is checked, and again once it changes.
    std::optional<Spelling> spelling;

    // The paragraph's record, or null when nothing has been noted yet.
    static ParagraphRecord* find(const QTextBlock& block);
    // The paragraph's record, made on first use.
    static ParagraphRecord& of(QTextBlock block);
};
