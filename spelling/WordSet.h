#pragma once

// Words the user accepted (the personal list, the words ignored for the session). A word is
// accepted as written, with a capital first letter (at the start of a sentence) and in
// capitals, as a dictionary accepts its own words.

#include <QSet>
#include <QString>

class WordSet
{
public:
    // False when the set held `word` already.
    bool insert(const QString& word);
    bool contains(const QString& word) const;
    bool isEmpty() const { return m_words.isEmpty(); }

private:
    QSet<QString> m_words;
    QSet<QString> m_lowered; // the words in lower case, for the capitalised forms
};
