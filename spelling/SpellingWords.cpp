#include "spelling/SpellingWords.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

// Letters as dictionaries see them. Han ideographs and Hangul syllables are written without
// spaces between words, which word boundaries cannot find, and no installed dictionary holds
// them; Hunspell does not count them as letters either.
bool isLetter(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7A3))
        return false;
    return (c.isLetter() || c.isMark()) && !c.isSurrogate();
}

bool isWordCharacter(QChar c, const QString& wordCharacters)
{
    return isLetter(c) || wordCharacters.contains(c);
}

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// A dictionary that counts either apostrophe as a letter keeps "don't" whole.
bool joinsOverApostrophes(const QString& wordCharacters)
{
    return wordCharacters.contains(QLatin1Char('\'')) || wordCharacters.contains(QChar(0x2019));
}

bool holdsLetterAndNoDigit(QStringView word)
{
    const bool digit = std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
    return !digit && std::any_of(word.begin(), word.end(), isLetter);
}

bool overlaps(SpellingWords::Span a, SpellingWords::Span b)
{
    return a.start < b.start + b.length && b.start < a.start + a.length;
}

bool isLink(QStringView run)
{
    if (run.startsWith(QLatin1String("www."), Qt::CaseInsensitive) || run.contains(QLatin1String("://")))
        return true;
    const qsizetype at = run.indexOf(QLatin1Char('@'));
    return at > 0 && at + 1 < run.size() && run.at(at - 1).isLetterOrNumber() &&
           run.at(at + 1).isLetterOrNumber();
}

} // namespace

namespace SpellingWords {

QList<Span> linksIn(const QString& text)
{
    QList<Span> links;
    if (!text.contains(QLatin1Char('@')) && !text.contains(QLatin1Char(':')) &&
        !text.contains(QLatin1String("www."), Qt::CaseInsensitive))
        return links;
    for (int start = 0; start < text.size();) {
        if (text.at(start).isSpace()) {
            ++start;
            continue;
        }
        int end = start;
        while (end < text.size() && !text.at(end).isSpace())
            ++end;
        if (isLink(QStringView(text).mid(start, end - start)))
            links.append({start, end - start});
        start = end;
    }
    return links;
}

QList<Span> wordsIn(const QString& text)
{
    QList<Span> words;
    const QList<Span> links = linksIn(text);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    for (qsizetype start = 0, end = finder.toNextBoundary(); end != -1;
         start = end, end = finder.toNextBoundary()) {
        const Span word{int(start), int(end - start)};
        if (!holdsLetterAndNoDigit(QStringView(text).mid(start, end - start)))
            continue;
        if (std::any_of(links.begin(), links.end(), [&](Span link) { return overlaps(link, word); }))
            continue;
        words.append(word);
    }
    return words;
}

QList<Span> piecesOf(const QString& text, Span word, const QString& wordCharacters)
{
    QList<Span> pieces;
    const bool apostrophes = joinsOverApostrophes(wordCharacters);
    const int end = word.start + word.length;
    for (int i = word.start; i < end;) {
        if (!isWordCharacter(text.at(i), wordCharacters)) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < end && (isWordCharacter(text.at(i), wordCharacters) ||
                           (apostrophes && isApostrophe(text.at(i)) && i + 1 < end &&
                            isWordCharacter(text.at(i + 1), wordCharacters))))
            ++i;
        pieces.append({start, i - start});
    }
    return pieces;
}

} // namespace SpellingWords
