#include "editcontrol/WordwiseDrag.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// Whether a word starts or ends at `position`: a paragraph's start and end, and
// every non-blank that follows a blank. Reads two characters whatever the
// length of the paragraph.
bool isWordEdge(const QTextDocument& document, int position)
{
    const QTextBlock block = document.findBlock(position);
    const int start = block.position();
    const int end = start + block.length() - 1;
    if (position <= start || position >= end)
        return true;
    return !document.characterAt(position).isSpace() && document.characterAt(position - 1).isSpace();
}

int edgeAtOrBefore(const QTextDocument& document, int position)
{
    while (!isWordEdge(document, position))
        --position;
    return position;
}

int edgeAtOrAfter(const QTextDocument& document, int position)
{
    while (!isWordEdge(document, position))
        ++position;
    return position;
}

} // namespace

WordwiseDrag::WordwiseDrag(const QTextDocument& document, int press) : m_press(press)
{
    // The word of the character after the press, or of the one before it at a
    // paragraph's end.
    const QTextBlock block = document.findBlock(press);
    const int paragraphEnd = block.position() + block.length() - 1;
    if (press < paragraphEnd) {
        m_wordStart = edgeAtOrBefore(document, press);
        m_wordEnd = edgeAtOrAfter(document, press + 1);
    } else {
        m_wordStart = press > block.position() ? edgeAtOrBefore(document, press - 1) : press;
        m_wordEnd = press;
    }
}

std::pair<int, int> WordwiseDrag::selectionTo(const QTextDocument& document, int pointer) const
{
    if (pointer > m_wordEnd)
        return {m_wordStart, edgeAtOrAfter(document, pointer)};
    if (pointer < m_wordStart)
        return {m_wordEnd, edgeAtOrBefore(document, pointer)};
    return {m_press, pointer};
}
