#include "spelling/SpellChecker.h"

#include "format/TextFormatProperties.h"
#include "spelling/DictionaryShelf.h"
#include "spelling/SpellEngine.h"
#include "spelling/SpellingLanguages.h"
#include "spelling/SpellingWords.h"

#include <QTextBlock>

namespace {

constexpr int MaximumSuggestions = 5;

struct LanguageRun
{
    int end = 0; // in block positions
    int language = 0;
    bool proofed = true;
};

bool isRaisedOrLowered(const QTextCharFormat& format)
{
    const QTextCharFormat::VerticalAlignment alignment = format.verticalAlignment();
    return alignment == QTextCharFormat::AlignSuperScript || alignment == QTextCharFormat::AlignSubScript ||
           TextFormatProperties::charOffset(format) != 0;
}

// The languages of a paragraph's text, run by run. Raised and lowered text (a note's mark
// after a word, an exponent) is no part of the words around it and is not checked: it is
// blanked out of `text`, so "slovo" followed by a raised "1" is the word "slovo".
QList<LanguageRun> languageRuns(const QTextBlock& block, QString& text)
{
    QList<LanguageRun> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const int start = fragment.position() - block.position();
        if (isRaisedOrLowered(format))
            text.replace(start, fragment.length(), QString(fragment.length(), QLatin1Char(' ')));
        const int language = TextFormatProperties::charLanguage(format);
        runs.append(
            {start + fragment.length(), language,
             language != SpellingLanguages::NoLanguage && !TextFormatProperties::charNoProof(format)});
    }
    return runs;
}

} // namespace

SpellChecker::SpellChecker(QObject* parent) : SpellChecker(DictionaryShelf::systemFolders(), parent)
{
}

SpellChecker::SpellChecker(const QStringList& dictionaryFolders, QObject* parent) : QObject(parent)
{
    m_shelf = std::make_unique<DictionaryShelf>(dictionaryFolders);
    // A dictionary read for any checker may be one of this checker's languages.
    connect(&DictionaryShelf::loads(), &DictionaryLoads::loaded, this, [this] {
        if (m_shelf->takeNewlyLoaded())
            changeWords();
    });
    // Most documents are Czech: start reading its dictionary before the first paragraph asks.
    m_shelf->request(SpellingLanguages::dictionaryName(SpellingLanguages::Czech));
}

SpellChecker::~SpellChecker() = default;

bool SpellChecker::hasCzechDictionary() const
{
    return !dictionaryFor(SpellingLanguages::Czech).isEmpty();
}

QString SpellChecker::dictionaryFor(int language) const
{
    const auto known = m_dictionaryOfLanguage.constFind(language);
    if (known != m_dictionaryOfLanguage.constEnd())
        return *known;
    QString name = SpellingLanguages::dictionaryName(language);
    if (!m_shelf->isInstalled(name))
        name = language == SpellingLanguages::Czech ? QString() : dictionaryFor(SpellingLanguages::Czech);
    m_dictionaryOfLanguage.insert(language, name);
    return name;
}

bool SpellChecker::isAccepted(const QString& word) const
{
    return m_personal.contains(word) || m_ignored.contains(word);
}

QList<MisspelledWord> SpellChecker::misspelledWords(const QTextBlock& block) const
{
    QList<MisspelledWord> misspelled;
    QString text = block.text();
    const QList<LanguageRun> runs = languageRuns(block, text);
    auto run = runs.cbegin();
    for (const SpellingWords::Span word : SpellingWords::wordsIn(text)) {
        while (run != runs.cend() && run->end <= word.start)
            ++run;
        if (run == runs.cend())
            break;
        if (!run->proofed)
            continue;
        const int language = run->language > 0 ? run->language : SpellingLanguages::Czech;
        const SpellEngine* engine = m_shelf->engine(dictionaryFor(language));
        if (!engine)
            continue;
        for (const SpellingWords::Span piece :
             SpellingWords::piecesOf(text, word, engine->wordCharacters())) {
            const QString spelling = text.mid(piece.start, piece.length);
            if (isAccepted(spelling) || engine->knows(spelling))
                continue;
            const int after = piece.start + piece.length;
            if (after < text.size() && text.at(after) == QLatin1Char('.') &&
                engine->knows(spelling + QLatin1Char('.')))
                continue;
            misspelled.append({piece.start, piece.length, language});
        }
    }
    return misspelled;
}

QStringList SpellChecker::suggestions(const QString& word, int language) const
{
    const QString name = dictionaryFor(language > 0 ? language : SpellingLanguages::Czech);
    if (name.isEmpty())
        return {};
    m_shelf->request(name);
    m_shelf->waitUntilLoaded();
    const SpellEngine* engine = m_shelf->engine(name);
    return engine ? engine->suggestions(word, MaximumSuggestions) : QStringList();
}

void SpellChecker::setPersonalWordList(const QString& path)
{
    m_personal.load(path);
    changeWords();
}

bool SpellChecker::addToPersonalList(const QString& word)
{
    const bool written = m_personal.add(word);
    changeWords();
    return written;
}

void SpellChecker::ignoreAll(const QString& word)
{
    if (m_ignored.insert(word))
        changeWords();
}

void SpellChecker::waitUntilLoaded()
{
    // Without an event loop the news of the load would never arrive.
    m_shelf->waitUntilLoaded();
    if (m_shelf->takeNewlyLoaded())
        changeWords();
}

void SpellChecker::changeWords()
{
    ++m_generation;
    Q_EMIT wordsChanged();
}
