#pragma once

// Spell checking of the document's paragraphs in the languages of their text.
//
// Dictionaries load on threads of their own, once per process (the Czech one as soon as the
// first checker is made, others when a paragraph first needs them): misspelledWords() never
// waits for one and
// reports no word of a language whose dictionary is still loading. When a dictionary has
// loaded, generation() moves on and wordsChanged() is emitted, so a result kept from before
// is known to be stale. A program without an event loop calls waitUntilLoaded() first.

#include "spelling/PersonalWordList.h"
#include "spelling/WordSet.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

class DictionaryShelf;
class QTextBlock;

struct MisspelledWord
{
    int start = 0;    // in QTextBlock::text() positions, 0-based
    int length = 0;   // in QChars
    int language = 0; // the Windows language id whose dictionary does not know the word
    bool operator==(const MisspelledWord&) const = default;
};

class SpellChecker : public QObject
{
    Q_OBJECT
public:
    // Dictionaries are found in $DICPATH, /usr/share/hunspell and the other usual system folders.
    explicit SpellChecker(QObject* parent = nullptr);
    // Dictionaries are found only in `dictionaryFolders`.
    explicit SpellChecker(const QStringList& dictionaryFolders, QObject* parent = nullptr);
    ~SpellChecker() override;

    // Whether a Czech dictionary is installed (checking is offered and on by default then).
    bool hasCzechDictionary() const;
    // The words of one paragraph the dictionaries do not know, in order. A word's language is
    // the language property of its first character (TextFormatProperties::CharLanguage, a
    // Windows language id as in RTF \langN); Czech (1029) when none is set or no dictionary for
    // that language is installed. Text marked not to be proofed is skipped. A word the dictionary
    // knows with a full stop ("č.", "Ing.") is accepted when a full stop follows it.
    QList<MisspelledWord> misspelledWords(const QTextBlock& block) const;
    // Up to five suggestions for `word` in `language` (a Windows language id), the best first;
    // waits for that language's dictionary to load.
    QStringList suggestions(const QString& word, int language) const;
    // The personal word list: a UTF-8 file, one word a line. Loading tolerates a missing,
    // unreadable or garbage file (keeps what reads as words); adding writes the file safely and
    // returns false when it could not (the word is accepted for this session all the same).
    void setPersonalWordList(const QString& path);
    bool addToPersonalList(const QString& word);
    // Accepts `word` for the rest of this session.
    void ignoreAll(const QString& word);
    // Moves on whenever the personal list, the ignored words or the loaded dictionaries change:
    // a result kept from another generation is stale.
    quint64 generation() const { return m_generation; }
    // Waits until the dictionaries asked for so far have loaded; the generation moves on when
    // one had not.
    void waitUntilLoaded();

Q_SIGNALS:
    void wordsChanged();

private:
    // The dictionary name checking text of `language` uses; empty when there is none.
    QString dictionaryFor(int language) const;
    bool isAccepted(const QString& word) const;
    void changeWords();

    std::unique_ptr<DictionaryShelf> m_shelf;
    mutable QHash<int, QString> m_dictionaryOfLanguage;
    PersonalWordList m_personal;
    WordSet m_ignored;
    quint64 m_generation = 0;
};
