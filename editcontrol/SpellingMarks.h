#pragma once

// Which words of a paragraph are marked as misspelled. Only the paragraphs
// being painted are asked for, and each is checked once: the answer is kept
// with the paragraph (ParagraphRecord) until the paragraph changes (forget) or
// the checker's words change (its generation), so that typing checks the one
// paragraph typed in and scrolling checks only what comes into view.

#include "spelling/SpellChecker.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QTextBlock;

class SpellingMarks : public QObject
{
    Q_OBJECT
public:
    explicit SpellingMarks(QObject* parent = nullptr);

    // The checker that finds the words; null marks nothing. The checker is
    // not owned.
    void setChecker(SpellChecker* checker);
    SpellChecker* checker() const { return m_checker; }

    // The misspelled words of `block`, in QTextBlock::text() positions; empty
    // without a checker.
    QList<MisspelledWord> wordsIn(const QTextBlock& block) const;
    // `block` changed (its text or its formats): its words are checked again
    // when next asked for.
    static void forget(const QTextBlock& block);

Q_SIGNALS:
    // Marks may now stand elsewhere without any paragraph changing: the
    // checker was changed, or its words were.
    void changed();

private:
    QPointer<SpellChecker> m_checker;
    // Tells the answers of this checker from those of an earlier one.
    quint64 m_checkerNumber = 0;
    QMetaObject::Connection m_wordsChanged;
};
