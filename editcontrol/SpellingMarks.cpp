#include "editcontrol/SpellingMarks.h"

#include "editcontrol/ParagraphRecord.h"

#include <QTextBlock>

namespace {

// Numbers every checker a marks object is given, across all of them: a
// paragraph's words kept for one checker are never taken for another's.
quint64 nextCheckerNumber = 1;

} // namespace

SpellingMarks::SpellingMarks(QObject* parent) : QObject(parent)
{
}

void SpellingMarks::setChecker(SpellChecker* checker)
{
    if (checker == m_checker)
        return;
    disconnect(m_wordsChanged);
    m_checker = checker;
    m_checkerNumber = nextCheckerNumber++;
    if (checker)
        m_wordsChanged = connect(checker, &SpellChecker::wordsChanged, this, &SpellingMarks::changed);
    Q_EMIT changed();
}

QList<MisspelledWord> SpellingMarks::wordsIn(const QTextBlock& block) const
{
    if (!m_checker)
        return {};
    const ParagraphRecord::Spelling key{m_checkerNumber, m_checker->generation(), {}};
    ParagraphRecord& record = ParagraphRecord::of(block);
    if (!record.spelling || !record.spelling->isSameCheck(key)) {
        record.spelling = key;
        record.spelling->words = m_checker->misspelledWords(block);
    }
    return record.spelling->words;
}

void SpellingMarks::forget(const QTextBlock& block)
{
    if (ParagraphRecord* record = ParagraphRecord::find(block))
        record->spelling.reset();
}
