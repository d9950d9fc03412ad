#pragma once

// The words of a plain text as the interoperability checks compare them, the same
// rules as bench/interop/wordcompare.py:
//  - NFC composition;
//  - characters that carry no word removed: soft hyphen, zero-width spaces and
//    joiners, byte-order marks, the private-use area (Symbol-font bullets of
//    Word's lists). The object replacement character U+FFFC is not among them:
//    plain text has no pictures, so one in the text is a difference;
//  - split on any white space (line, paragraph and table layout do not count);
//  - list markers dropped: a lone bullet (• ◦ ▪ ■ □ ● ○ ‣ ⁃ · – — - * ∙ ➢) and
//    enumerators ending in "." or ")": up to three digits, one letter or a roman
//    numeral of up to four letters, optionally opened by "(" and followed by more
//    numbers, such as "1.", "12)", "a)", "iv.", "B.", "2.3.", "(3)";
//  - words made only of table drawing characters (| + - = _) dropped.
// Everything else counts, so a dropped, doubled or garbled word is a difference.

#include <QString>
#include <QStringList>

QStringList CorpusWords(const QString& text);

// Empty when equal; otherwise where the lists part, with a few words of context
// on both sides.
QString FirstWordDifference(const QStringList& expected, const QStringList& actual);
