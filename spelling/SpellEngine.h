#pragma once

// One language's dictionary: whether it knows a word and what it suggests for one it does not.
// Loading reads the whole dictionary (a tenth of a second or more), so it is done once per
// language and off the GUI thread (see DictionaryShelf). Stands on Nuspell, which checked the
// words of a large Czech document faster than Hunspell and loaded faster, with the same answers
// (bench/SpellingBenchmark).

#include <QString>
#include <QStringList>

#include <memory>

namespace nuspell {
inline namespace v5 {
class Dictionary;
}
} // namespace nuspell

class SpellEngine
{
public:
    // `affixPath`: the .aff file, with the .dic file beside it. Null when they cannot be read.
    static std::unique_ptr<SpellEngine> load(const QString& affixPath);
    ~SpellEngine();

    bool knows(const QString& word) const;
    // At most `limit` suggestions, the dictionary's best first.
    QStringList suggestions(const QString& word, int limit) const;
    // Characters that belong to words besides letters (the dictionary's WORDCHARS).
    const QString& wordCharacters() const { return m_wordCharacters; }

private:
    SpellEngine(std::unique_ptr<nuspell::Dictionary> dictionary, QString wordCharacters);

    std::unique_ptr<nuspell::Dictionary> m_dictionary;
    QString m_wordCharacters;
};
