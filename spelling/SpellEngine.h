#pragma once

// One language's dictionary: whether it knows a word and what it suggests for one it does not.
// Loading reads the whole dictionary (a tenth of a second or more), so it is done once per
// language and off the GUI thread (see DictionaryShelf). Not thread-safe once loaded: one
// thread asks at a time.

#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

class SpellEngine
{
public:
    // `affixPath` and `dictionaryPath`: the .aff and .dic files. Null when they cannot be read.
    static std::unique_ptr<SpellEngine> load(const QString& affixPath, const QString& dictionaryPath);
    ~SpellEngine();

    bool knows(const QString& word) const;
    // At most `limit` suggestions, the dictionary's best first.
    QStringList suggestions(const QString& word, int limit) const;
    // Characters that belong to words besides letters (the dictionary's WORDCHARS).
    const QString& wordCharacters() const { return m_wordCharacters; }

private:
    explicit SpellEngine(std::unique_ptr<Hunspell> hunspell);
    std::string encode(const QString& word) const;
    QString decode(const std::string& word) const;

    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8 = true;
    QString m_encoding;
    QString m_wordCharacters;
};
