#include "tests/interop/CorpusWords.h"

#include <QRegularExpression>

namespace {

bool carriesNoWord(QChar character)
{
    const char16_t code = character.unicode();
    return code == 0x00AD || (code >= 0x200B && code <= 0x200D) || code == 0x2060 || code == 0xFEFF ||
           (code >= 0xE000 && code <= 0xF8FF);
}

bool isListMarker(const QString& word)
{
    static const QString bullets = QStringLiteral("•◦▪■□●○‣⁃·–—-*∙➢");
    static const QRegularExpression enumerator(
        QStringLiteral("^\\(?([0-9]{1,3}|[a-zA-Z]|[ivxlcdmIVXLCDM]{1,4})([.)][0-9]{0,3})*[.)]$"));
    static const QRegularExpression tableRule(QStringLiteral("^[|+\\-=_]+$"));
    if (word.size() == 1 && bullets.contains(word.at(0)))
        return true;
    return enumerator.match(word).hasMatch() || tableRule.match(word).hasMatch();
}

QString wordsFrom(const QStringList& words, qsizetype from, qsizetype count)
{
    return words.mid(from, count).join(u' ');
}

} // namespace

QStringList CorpusWords(const QString& text)
{
    QStringList words;
    QString word;
    const auto endWord = [&] {
        if (!word.isEmpty() && !isListMarker(word))
            words.append(word);
        word.clear();
    };
    for (const QChar character : text.normalized(QString::NormalizationForm_C)) {
        if (carriesNoWord(character))
            continue;
        if (character.isSpace()) {
            endWord();
            continue;
        }
        word.append(character);
    }
    endWord();
    return words;
}

QString FirstWordDifference(const QStringList& expected, const QStringList& actual)
{
    constexpr qsizetype Context = 6;
    qsizetype index = 0;
    while (index < expected.size() && index < actual.size() && expected.at(index) == actual.at(index))
        ++index;
    if (index == expected.size() && index == actual.size())
        return {};
    // Concatenated rather than arg()-ed: the words may contain "%1" themselves.
    return QStringLiteral("word ") + QString::number(index) + QStringLiteral(": after \u201c") +
           wordsFrom(expected, std::max<qsizetype>(0, index - Context), std::min(index, Context)) +
           QStringLiteral("\u201d expected \u201c") + wordsFrom(expected, index, Context) +
           QStringLiteral("\u201d, got \u201c") + wordsFrom(actual, index, Context) +
           QStringLiteral("\u201d (") + QString::number(expected.size()) +
           QStringLiteral(" words expected, ") + QString::number(actual.size()) + QStringLiteral(" got)");
}
