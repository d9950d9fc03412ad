#include "rtf/RtfListReader.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int MaxTwips = 100000;
constexpr int MaxListLevels = 9;

// The Windows numbering of a list level's \levelnfc; 0 for a level without a number.
int numberingOfLevelFormat(int format)
{
    switch (format) {
    case 1:
        return PFN_UCROMAN;
    case 2:
        return PFN_LCROMAN;
    case 3:
        return PFN_UCLETTER;
    case 4:
        return PFN_LCLETTER;
    case 23:
        return PFN_BULLET;
    case 255:
        return 0;
    default:
        return PFN_ARABIC;
    }
}

} // namespace

void RtfListReader::finishList()
{
    if (m_list.id != 0)
        m_tables.listDefinitions.insert(m_list.id, m_list.levels);
    m_list = PendingList();
}

void RtfListReader::startLevel()
{
    if (m_list.levels.size() < MaxListLevels)
        m_list.levels.append(ListLevelDefinition{});
}

void RtfListReader::finishLevelText(QByteArrayView captured)
{
    if (!m_list.levels.isEmpty())
        m_list.levels.last().levelText = levelTextOf(captured);
}

void RtfListReader::finishOverride()
{
    if (m_override.index != 0)
        m_tables.listOverrides.insert(m_override.index, m_override.list);
}

void RtfListReader::applyTableWord(Destination destination, RtfListWord word, int parameter)
{
    switch (word) {
    case RtfListWord::ListId:
        if (destination == Destination::List)
            m_list.id = parameter;
        else if (destination == Destination::ListOverride)
            m_override.list = parameter;
        break;
    case RtfListWord::ListOverrideIndex:
        if (destination == Destination::ListOverride)
            m_override.index = parameter;
        break;
    case RtfListWord::LevelNumberFormat:
        if (destination == Destination::ListLevel && !m_list.levels.isEmpty())
            m_list.levels.last().numbering = numberingOfLevelFormat(parameter);
        break;
    case RtfListWord::LevelStartAt:
        if (destination == Destination::ListLevel && !m_list.levels.isEmpty())
            m_list.levels.last().start = std::clamp(parameter, 0, 65535);
        break;
    case RtfListWord::LevelLegal:
        if (destination == Destination::ListLevel && !m_list.levels.isEmpty())
            m_list.levels.last().legal = parameter != 0;
        break;
    case RtfListWord::PnBullet:
    case RtfListWord::PnBody:
    case RtfListWord::PnLevel:
    case RtfListWord::PnDecimal:
    case RtfListWord::PnLowerLetter:
    case RtfListWord::PnUpperLetter:
    case RtfListWord::PnLowerRoman:
    case RtfListWord::PnUpperRoman:
    case RtfListWord::PnStart:
    case RtfListWord::PnIndent:
        break;
    }
}

void RtfListReader::startPn(PnState& pn)
{
    pn.numbering = PFN_ARABIC;
    pn.start = 1;
    pn.style.reset();
}

void RtfListReader::applyPnWord(PnState& pn, RtfListWord word, int parameter, bool hasParameter)
{
    switch (word) {
    case RtfListWord::PnBullet:
        pn.numbering = PFN_BULLET;
        break;
    case RtfListWord::PnBody:
    case RtfListWord::PnLevel:
        if (pn.numbering == PFN_BULLET)
            pn.numbering = PFN_ARABIC;
        pn.level = word == RtfListWord::PnLevel ? std::clamp(parameter, 0, MaxListLevels) : 0;
        break;
    case RtfListWord::PnDecimal:
        pn.numbering = PFN_ARABIC;
        break;
    case RtfListWord::PnLowerLetter:
        pn.numbering = PFN_LCLETTER;
        break;
    case RtfListWord::PnUpperLetter:
        pn.numbering = PFN_UCLETTER;
        break;
    case RtfListWord::PnLowerRoman:
        pn.numbering = PFN_LCROMAN;
        break;
    case RtfListWord::PnUpperRoman:
        pn.numbering = PFN_UCROMAN;
        break;
    case RtfListWord::PnStart:
        pn.start = std::clamp(hasParameter ? parameter : 1, 0, 65535);
        break;
    case RtfListWord::PnIndent:
        pn.indent = std::clamp(parameter, -MaxTwips, MaxTwips);
        break;
    case RtfListWord::ListId:
    case RtfListWord::ListOverrideIndex:
    case RtfListWord::LevelNumberFormat:
    case RtfListWord::LevelStartAt:
    case RtfListWord::LevelLegal:
        break;
    }
}

// The text around a \pn number says how the number is written: "(1)", "1." or "1)".
void RtfListReader::finishPnText(PnState& pn) const
{
    const QString& text = m_pnText.text;
    if (m_pnText.before && text.contains(u'('))
        pn.style = PFNS_PARENS;
    else if (!m_pnText.before && text.contains(u'.'))
        pn.style = PFNS_PERIOD;
    else if (!m_pnText.before && text.contains(u')') && pn.style != PFNS_PARENS)
        pn.style = PFNS_PAREN;
}

// Its first character is the label's length, then the label. Characters come as \'hh, \uN
// (with one replacement character after it) or as themselves; the label ends at ';'.
QString RtfListReader::levelTextOf(QByteArrayView captured)
{
    QString text;
    for (qsizetype i = 0; i < captured.size() && captured[i] != ';' && captured[i] != '}'; ++i) {
        const char c = captured[i];
        if (c == '{' || c == '\r' || c == '\n')
            continue;
        if (c != '\\') {
            text += QChar(uchar(c));
            continue;
        }
        if (i + 3 < captured.size() && captured[i + 1] == '\'') {
            text += QChar(QByteArray(captured.data() + i + 2, 2).toUShort(nullptr, 16));
            i += 3;
            continue;
        }
        qsizetype end = i + 1;
        while (end < captured.size() && std::isalpha(uchar(captured[end])))
            ++end;
        const QByteArrayView word = captured.sliced(i + 1, end - i - 1);
        qsizetype numberEnd = end;
        while (numberEnd < captured.size() &&
               (captured[numberEnd] == '-' || std::isdigit(uchar(captured[numberEnd]))))
            ++numberEnd;
        if (word == "u" && numberEnd > end) {
            text += QChar(char16_t(captured.sliced(end, numberEnd - end).toInt()));
            if (numberEnd < captured.size() && captured[numberEnd] == ' ')
                ++numberEnd;
            ++numberEnd; // the replacement character
        } else if (word.isEmpty() && end < captured.size()) {
            text += QChar(uchar(captured[end])); // \\, \{, \}
            ++numberEnd;
        } else if (numberEnd < captured.size() && captured[numberEnd] == ' ') {
            ++numberEnd;
        }
        i = numberEnd - 1;
    }
    if (text.isEmpty())
        return {};
    return text.mid(1, text.at(0).unicode());
}
