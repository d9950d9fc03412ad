#include "editcontrol/TextFinder.h"

#include "editcontrol/DocumentText.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// A letter, digit or joining mark belongs to a word; any other character breaks words.
bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == u'_';
}

// The searched text with its line breaks written as the document keeps paragraph breaks.
QString withParagraphBreaks(QStringView text)
{
    QString result = text.toString();
    result.replace(QStringLiteral("\r\n"), QString(QChar::ParagraphSeparator));
    result.replace(u'\r', QChar::ParagraphSeparator);
    result.replace(u'\n', QChar::ParagraphSeparator);
    return result;
}

// Looks for one text in the texts of paragraphs, by the FR_WHOLEWORD and
// FR_MATCHCASE rules. The text must not be empty.
class Matcher
{
public:
    Matcher(const QString& text, DWORD flags)
        : m_text(text), m_case(flags & FR_MATCHCASE ? Qt::CaseSensitive : Qt::CaseInsensitive),
          m_wholeWord(flags & FR_WHOLEWORD)
    {
    }

    qsizetype length() const { return m_text.size(); }

    // The first hit in `text` that starts between `earliest` and `latest`; -1 when there is none.
    qsizetype first(QStringView text, qsizetype earliest, qsizetype latest) const
    {
        latest = std::min(latest, text.size() - length());
        for (qsizetype at = std::max<qsizetype>(earliest, 0); at <= latest; ++at) {
            if (isHitAt(text, at))
                return at;
        }
        return -1;
    }

    // The last hit in `text` that starts between `earliest` and `latest`; -1 when there is none.
    qsizetype last(QStringView text, qsizetype earliest, qsizetype latest) const
    {
        earliest = std::max<qsizetype>(earliest, 0);
        for (qsizetype at = std::min(latest, text.size() - length()); at >= earliest; --at) {
            if (isHitAt(text, at))
                return at;
        }
        return -1;
    }

private:
    // A cheap test of the first character, so that most places are passed by
    // without comparing the whole text.
    bool mayStartWith(QChar c) const
    {
        if (m_case == Qt::CaseSensitive)
            return c == m_text.front();
        // A character below 0x80 folds only to itself or its ASCII partner;
        // others (the Kelvin sign folds to "k") are folded to be sure.
        return c == m_folded || c == m_foldedUpper || (c.unicode() >= 0x80 && c.toCaseFolded() == m_folded);
    }

    bool isHitAt(QStringView text, qsizetype at) const
    {
        return mayStartWith(text[at]) && text.sliced(at, length()).compare(m_text, m_case) == 0 &&
               (!m_wholeWord || hasWordBreaksAround(text, at));
    }

    // Whether the hit at `at` starts and ends where a word starts and ends: a
    // word character of the hit has no word character beside it outside the
    // hit. The edges of `text` are paragraph breaks.
    bool hasWordBreaksAround(QStringView text, qsizetype at) const
    {
        const qsizetype end = at + length();
        const bool startsWord = at == 0 || !isWordCharacter(m_text.front()) || !isWordCharacter(text[at - 1]);
        const bool endsWord =
            end == text.size() || !isWordCharacter(m_text.back()) || !isWordCharacter(text[end]);
        return startsWord && endsWord;
    }

    QString m_text;
    Qt::CaseSensitivity m_case;
    bool m_wholeWord;
    QChar m_folded = m_text.front().toCaseFolded();
    QChar m_foldedUpper = m_folded.toUpper();
};

// A search of one document for one text. Positions are document positions.
class DocumentSearch
{
public:
    DocumentSearch(const QTextDocument* document, const QString& text, DWORD flags)
        : m_document(document), m_matcher(text, flags), m_breaks(int(text.count(QChar::ParagraphSeparator)))
    {
    }

    int length() const { return int(m_matcher.length()); }

    // The first hit that starts at or after `from` and ends at or before `to`.
    int down(int from, int to) const
    {
        const int lastStart = to - length();
        QTextBlock block = m_document->findBlock(from);
        // Blocks follow each other without gaps: the next one starts where
        // this one ends, which is cheaper to add up than to ask each block.
        for (int base = block.position(); block.isValid() && base <= lastStart;) {
            const qsizetype at =
                m_matcher.first(reachOf(block), from - base, lastStartIn(block, base, lastStart));
            if (at >= 0)
                return base + int(at);
            base += block.length();
            block = block.next();
        }
        return NoPosition;
    }

    // The last hit that starts at or after `from` and ends at or before `to`.
    int up(int from, int to) const
    {
        const int lastStart = to - length();
        if (lastStart < from)
            return NoPosition;
        QTextBlock block = m_document->findBlock(lastStart);
        for (int base = block.position(); block.isValid() && base + block.length() > from;) {
            const qsizetype at =
                m_matcher.last(reachOf(block), from - base, lastStartIn(block, base, lastStart));
            if (at >= 0)
                return base + int(at);
            block = block.previous();
            base -= block.length();
        }
        return NoPosition;
    }

private:
    // The text in which hits starting in `block` are looked for: the block's
    // own text, joined by paragraph breaks to as many following paragraphs as
    // the searched text has breaks.
    QString reachOf(QTextBlock block) const
    {
        QString text = block.text();
        for (int joined = 0; joined < m_breaks && (block = block.next()).isValid(); ++joined)
            text += QChar::ParagraphSeparator + block.text();
        return text;
    }

    // The last offset in the reach of `block`, which starts at `base`, where a
    // hit may start: in the block itself (its break included) and not after `lastStart`.
    static qsizetype lastStartIn(const QTextBlock& block, int base, int lastStart)
    {
        return std::min(lastStart - base, block.length() - 1);
    }

    const QTextDocument* m_document;
    Matcher m_matcher;
    int m_breaks;
};

} // namespace

TextFinder::TextFinder(const QTextDocument& document, QStringView text, DWORD flags)
    : m_document(document), m_text(withParagraphBreaks(text)), m_flags(flags)
{
}

CHARRANGE TextFinder::find(CHARRANGE range) const
{
    if (m_text.isEmpty())
        return NoRange;
    const DocumentSearch search(&m_document, m_text, m_flags);
    const int length = DocumentText::length(m_document);
    const auto clamped = [length](int position) { return std::clamp(position, 0, length); };
    const int start = clamped(range.cpMin);
    const LONG end = range.cpMax;
    int hit = NoPosition;
    if (m_flags & FR_DOWN) {
        hit = search.down(start, end < 0 ? length : clamped(end));
    } else {
        // A range whose end lies before its start bounds the backward search;
        // any other reaches back to the start of the text.
        hit = search.up(end >= 0 && end < range.cpMin ? clamped(end) : 0, start);
    }
    if (hit == NoPosition)
        return NoRange;
    return {hit, hit + search.length()};
}
