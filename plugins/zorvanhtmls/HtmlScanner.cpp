#include "plugins/zorvanhtmls/HtmlScanner.h"

namespace {

constexpr int LongestEntity = 32;

bool isAsciiLetter(char16_t character)
{
    return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z');
}

bool isAsciiDigit(char16_t character)
{
    return character >= u'0' && character <= u'9';
}

bool isHexDigit(char16_t character)
{
    return isAsciiDigit(character) || (character >= u'a' && character <= u'f') ||
           (character >= u'A' && character <= u'F');
}

// HTML's white space, plus the editor's line and paragraph separators.
bool isSpace(char16_t character)
{
    return character == u' ' || character == u'\n' || character == u'\t' || character == u'\r' ||
           character == u'\f' || character == u'\u2028' || character == u'\u2029';
}

bool endsTagName(char16_t character)
{
    return isSpace(character) || character == u'>' || character == u'/' || character == u'<';
}

bool endsAttributeName(char16_t character)
{
    return endsTagName(character) || character == u'=';
}

} // namespace

std::vector<HtmlRun> HtmlScanner::scan(QStringView text)
{
    HtmlScanner scanner(text);
    scanner.scanAll();
    return std::move(scanner.m_runs);
}

void HtmlScanner::scanAll()
{
    const int length = int(m_text.size());
    const char16_t* data = m_text.utf16();
    while (m_position < length) {
        const char16_t character = data[m_position];
        if (character == u'<' && startsMarkup(m_position)) {
            scanMarkup();
            continue;
        }
        if (character == u'&') {
            const int end = entityEnd(m_position);
            if (end > 0) {
                mark(end, HtmlRole::Entity);
                m_position = end;
                continue;
            }
        }
        int end = m_position + 1;
        while (end < length && data[end] != u'<' && data[end] != u'&')
            ++end;
        mark(end, HtmlRole::Text);
        m_position = end;
    }
}

// A "<" opens markup only when followed by what can start a tag, so that
// "a < b" in ordinary text stays text.
bool HtmlScanner::startsMarkup(int position) const
{
    if (position + 1 >= m_text.size())
        return false;
    const char16_t next = m_text[position + 1].unicode();
    if (isAsciiLetter(next) || next == u'!' || next == u'?')
        return true;
    return next == u'/' && position + 2 < m_text.size() && isAsciiLetter(m_text[position + 2].unicode());
}

void HtmlScanner::scanMarkup()
{
    const QStringView rest = m_text.sliced(m_position);
    if (rest.startsWith(u"<!--")) {
        scanComment();
        return;
    }
    const char16_t next = rest[1].unicode();
    if (next == u'!' || next == u'?') {
        scanDeclaration();
        return;
    }
    scanTag();
}

void HtmlScanner::scanComment()
{
    const qsizetype close = m_text.indexOf(u"-->", m_position + 4);
    const int end = close < 0 ? int(m_text.size()) : int(close) + 3;
    mark(end, HtmlRole::Comment);
    m_position = end;
}

// <!DOCTYPE ...>, <![CDATA[ ...]]> openers and <?xml ...?> are coloured as tags whole.
void HtmlScanner::scanDeclaration()
{
    const qsizetype close = m_text.indexOf(u'>', m_position + 2);
    const int end = close < 0 ? int(m_text.size()) : int(close) + 1;
    mark(end, HtmlRole::Tag);
    m_position = end;
}

void HtmlScanner::scanTag()
{
    const int length = int(m_text.size());
    const char16_t* data = m_text.utf16();
    int position = m_position + 1;
    const bool closing = data[position] == u'/';
    if (closing)
        ++position;
    const int nameStart = position;
    while (position < length && !endsTagName(data[position]))
        ++position;
    const QStringView name = m_text.sliced(nameStart, position - nameStart);
    mark(position, HtmlRole::Tag);

    bool selfClosing = false;
    bool finished = false;
    while (!finished) {
        position = skipSpace(position);
        if (position >= length)
            break;
        const char16_t character = data[position];
        if (character == u'>') {
            ++position;
            finished = true;
            continue;
        }
        if (character == u'<') {
            // An unfinished tag: the "<" starts the next markup, scanned afresh.
            mark(position, HtmlRole::Tag);
            m_position = position;
            return;
        }
        if (character == u'/') {
            ++position;
            selfClosing = position < length && data[position] == u'>';
            continue;
        }
        if (character == u'=') {
            // A stray "=" without a name belongs to the tag.
            ++position;
            continue;
        }
        mark(position, HtmlRole::Tag);
        while (position < length && !endsAttributeName(data[position]))
            ++position;
        mark(position, HtmlRole::AttributeName);

        const int afterName = skipSpace(position);
        if (afterName >= length || data[afterName] != u'=')
            continue;
        position = skipSpace(afterName + 1);
        mark(position, HtmlRole::Tag);
        if (position >= length)
            break;
        const char16_t quote = data[position];
        if (quote == u'"' || quote == u'\'') {
            const qsizetype close = m_text.indexOf(QChar(quote), position + 1);
            position = close < 0 ? length : int(close) + 1;
        } else {
            while (position < length && !isSpace(data[position]) && data[position] != u'>' &&
                   data[position] != u'<')
                ++position;
        }
        mark(position, HtmlRole::AttributeValue);
    }
    mark(position, HtmlRole::Tag);
    m_position = position;

    // The content of <script> and <style> is not markup: "if (a<b)" is code.
    if (finished && !closing && !selfClosing &&
        (name.compare(u"script", Qt::CaseInsensitive) == 0 ||
         name.compare(u"style", Qt::CaseInsensitive) == 0))
        skipRawText(name);
}

void HtmlScanner::skipRawText(QStringView elementName)
{
    const int length = int(m_text.size());
    int search = m_position;
    while (search < length) {
        const qsizetype close = m_text.indexOf(u"</", search);
        if (close < 0) {
            search = length;
            break;
        }
        const QStringView candidate = m_text.sliced(close + 2);
        if (candidate.startsWith(elementName, Qt::CaseInsensitive) &&
            (candidate.size() == elementName.size() ||
             endsTagName(candidate[elementName.size()].unicode()))) {
            search = int(close);
            break;
        }
        search = int(close) + 2;
    }
    mark(search, HtmlRole::Text);
    m_position = search;
}

// The end of a character reference starting at `position` ("&"), or 0 when
// the "&" starts none (a lone "&" as in "Tom & Jerry" stays text). The ";" is
// required, which keeps "AT&T" plain.
int HtmlScanner::entityEnd(int position) const
{
    const int length = int(m_text.size());
    const int limit = std::min(length, position + LongestEntity);
    const char16_t* data = m_text.utf16();
    int end = position + 1;
    if (end < limit && data[end] == u'#') {
        ++end;
        const bool hexadecimal = end < limit && (data[end] == u'x' || data[end] == u'X');
        if (hexadecimal)
            ++end;
        const int digitsStart = end;
        while (end < limit && (hexadecimal ? isHexDigit(data[end]) : isAsciiDigit(data[end])))
            ++end;
        if (end == digitsStart)
            return 0;
    } else {
        if (end >= limit || !isAsciiLetter(data[end]))
            return 0;
        while (end < limit && (isAsciiLetter(data[end]) || isAsciiDigit(data[end])))
            ++end;
    }
    return end < limit && data[end] == u';' ? end + 1 : 0;
}

int HtmlScanner::skipSpace(int position) const
{
    const int length = int(m_text.size());
    while (position < length && isSpace(m_text[position].unicode()))
        ++position;
    return position;
}

void HtmlScanner::mark(int end, HtmlRole role)
{
    const int start = m_runs.empty() ? 0 : m_runs.back().end;
    if (end <= start)
        return;
    if (!m_runs.empty() && m_runs.back().role == role) {
        m_runs.back().end = end;
        return;
    }
    m_runs.push_back({end, role});
}
