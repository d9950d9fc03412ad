#include "spelling/WordSet.h"

bool WordSet::insert(const QString& word)
{
    if (m_words.contains(word))
        return false;
    m_words.insert(word);
    m_lowered.insert(word.toLower());
    return true;
}

bool WordSet::contains(const QString& word) const
{
    if (m_words.contains(word))
        return true;
    if (word.isEmpty() || !word.at(0).isUpper())
        return false;
    const QString lowered = word.toLower();
    const bool capitalised = word.mid(1) == lowered.mid(1);
    return (capitalised || word == word.toUpper()) && m_lowered.contains(lowered);
}
