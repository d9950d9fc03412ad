#pragma once

// The user's own words: a UTF-8 file, one word a line. A missing, unreadable or damaged file
// reads as the lines of it that are words; adding a word writes the whole file anew (what was
// read and the new word) through a temporary file, so a failed write leaves the old file. An
// unreadable file of the user's gets its read and write permissions back when a word is added;
// one that cannot get them is never written over, since its words could not be read.

#include "spelling/WordSet.h"

#include <QString>
#include <QStringList>

class PersonalWordList
{
public:
    // Reads the words of `path`, forgetting those of an earlier file.
    void load(const QString& path);
    // Adds `word` and writes the file; false when the file could not be written (the word is
    // accepted for the session all the same). True without writing for a word already listed.
    bool add(const QString& word);
    bool contains(const QString& word) const { return m_set.contains(word); }

    // Whether a line of the file is a word: valid text without spaces or control characters.
    static bool isWord(const QString& line);

private:
    // Adds the words of the file to those already known.
    void readFile();

    QString m_path;
    QStringList m_words; // in the file's order
    WordSet m_set;
};
