// The character and paragraph formats of the control: the format records
// read from and written to the selection, lists included.

#include "editcontrol/RichEditControl.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/CharFormatConversion.h"
#include "editcontrol/ParaFormatConversion.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <vector>

// --- Character formats -----------------------------------------------------

DWORD RichEditControl::GetCharFormat(WPARAM kind, CHARFORMAT2A& format) const
{
    using namespace CharFormatConversion;
    const QFont defaultFont = document()->defaultFont();
    const QTextCursor cursor = textCursor();
    if (kind == SCF_DEFAULT || !cursor.hasSelection()) {
        describe(kind == SCF_DEFAULT ? QTextCharFormat() : cursor.charFormat(), defaultFont, format);
        format.bPitchAndFamily = pitchOf(faceNameOf(format));
        format.dwMask = SupportedMask;
        return format.dwMask;
    }
    const CHARRANGE range{cursor.selectionStart(), cursor.selectionEnd()};
    if (!m_selectionFormat || m_selectionFormat->first != range)
        m_selectionFormat.emplace(range, describeRange(range));
    const UINT size = format.cbSize;
    format = m_selectionFormat->second;
    format.cbSize = size;
    return format.dwMask;
}

// A mixed range reports its first character's format with the bits of the
// attributes that are not uniform cleared. A long range has few distinct
// formats over many runs, so each distinct one is compared once.
CHARFORMAT2A RichEditControl::describeRange(CHARRANGE range) const
{
    using namespace CharFormatConversion;
    const QFont defaultFont = document()->defaultFont();
    QTextCharFormat first;
    std::vector<int> seen;
    DWORD mask = SupportedMask;
    const auto take = [&](const QTextFragment& fragment) {
        const int index = fragment.charFormatIndex();
        if (std::find(seen.cbegin(), seen.cend(), index) != seen.cend())
            return;
        if (seen.empty())
            first = fragment.charFormat();
        else
            mask = commonMask(first, fragment.charFormat(), mask, defaultFont);
        seen.push_back(index);
    };
    for (QTextBlock block = document()->findBlock(range.cpMin); block.isValid() && mask != 0;
         block = block.next()) {
        const int blockStart = block.position();
        if (blockStart >= range.cpMax)
            break;
        // Only the first and the last block can have runs outside the range.
        const bool inside = blockStart >= range.cpMin && blockStart + block.length() <= range.cpMax;
        for (auto it = block.begin(); !it.atEnd() && mask != 0; ++it) {
            const QTextFragment fragment = it.fragment();
            if (inside ||
                (fragment.position() < range.cpMax && fragment.position() + fragment.length() > range.cpMin))
                take(fragment);
        }
    }
    CHARFORMAT2A record;
    describe(first, defaultFont, record);
    record.bPitchAndFamily = pitchOf(faceNameOf(record));
    record.dwMask = mask;
    return record;
}

bool RichEditControl::SetCharFormat(WPARAM kind, const CHARFORMAT2A& format)
{
    const QTextCharFormat change = CharFormatConversion::toQt(format);
    if (kind == SCF_DEFAULT) {
        QFont font = document()->defaultFont();
        if (change.hasProperty(QTextFormat::FontPointSize))
            font.setPointSizeF(change.fontPointSize());
        if (change.hasProperty(QTextFormat::FontFamilies))
            font.setFamilies(change.fontFamilies().toStringList());
        if (change.hasProperty(QTextFormat::FontWeight))
            font.setWeight(QFont::Weight(change.fontWeight()));
        if (change.hasProperty(QTextFormat::FontItalic))
            font.setItalic(change.fontItalic());
        if (change.hasProperty(QTextFormat::FontUnderline) ||
            change.hasProperty(QTextFormat::TextUnderlineStyle))
            font.setUnderline(change.fontUnderline());
        if (change.hasProperty(QTextFormat::FontStrikeOut))
            font.setStrikeOut(change.fontStrikeOut());
        document()->setDefaultFont(font);
        m_selectionFormat.reset();
        invalidateTallies();
        return true;
    }
    QTextCursor cursor = textCursor();
    // In plain-text mode the whole text has one format.
    if (kind & SCF_ALL || isPlainTextMode())
        cursor.select(QTextCursor::Document);
    else if (kind & SCF_WORD && !cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    if (cursor.hasSelection() &&
        !mayChange({EM_SETCHARFORMAT, kind, 0}, {cursor.selectionStart(), cursor.selectionEnd()}) &&
        !(format.dwMask == CFM_PROTECTED))
        return false;
    if (cursor.hasSelection()) {
        cursor.mergeCharFormat(change);
    } else {
        mergeCurrentCharFormat(change);
    }
    return true;
}

// --- Paragraph formats -----------------------------------------------------

DWORD RichEditControl::GetParaFormat(PARAFORMAT2& format) const
{
    using namespace ParaFormatConversion;
    // A selection over several paragraphs reports the first one's format with
    // the bits of the attributes that are not uniform cleared.
    const QTextCursor cursor = textCursor();
    QTextBlock block = document()->findBlock(cursor.selectionStart());
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    describe(block.blockFormat(), format);
    DWORD mask = SupportedMask;
    while (block != last && mask != 0) {
        block = block.next();
        PARAFORMAT2 other;
        describe(block.blockFormat(), other);
        mask = commonMask(format, other, mask);
    }
    format.dwMask = mask;
    return mask;
}

bool RichEditControl::SetParaFormat(const PARAFORMAT2& format)
{
    QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    if (!mayChange({EM_SETPARAFORMAT, 0, 0}, {first.position(), last.position() + last.length() - 1}))
        return false;
    cursor.beginEditBlock();
    for (QTextBlock block = first;; block = block.next()) {
        QTextCursor at(block);
        at.setBlockFormat(ParaFormatConversion::applied(block.blockFormat(), format));
        if (block == last)
            break;
    }
    if (format.dwMask & PFM_NUMBERING)
        setNumbering(first, last, format.wNumbering);
    cursor.endEditBlock();
    return true;
}

// Puts the paragraphs first..last into one list of the given numbering, or
// out of every list for numbering 0. A list goes on from a list of the same
// numbering just before or after.
void RichEditControl::setNumbering(const QTextBlock& first, const QTextBlock& last, int numbering)
{
    const QTextBlock end = last.next();
    for (QTextBlock block = first; block != end; block = block.next())
        if (QTextList* list = block.textList())
            list->remove(block);
    if (numbering == 0)
        return;
    const auto sameList = [numbering](const QTextBlock& neighbour) -> QTextList* {
        QTextList* list = neighbour.isValid() ? neighbour.textList() : nullptr;
        return list && TextFormatProperties::intProperty(neighbour.blockFormat(),
                                                         TextFormatProperties::BlockNumbering, 0) == numbering
                   ? list
                   : nullptr;
    };
    QTextList* list = sameList(first.previous());
    if (!list)
        list = sameList(end);
    QTextBlock block = first;
    if (!list) {
        QTextListFormat listFormat;
        listFormat.setStyle(TextFormatProperties::listStyleOf(numbering));
        listFormat.setIndent(0);
        list = QTextCursor(block).createList(listFormat);
        block = block.next();
    }
    for (; block != end; block = block.next())
        list->add(block);
}
