#include "office/OfficeFlow.h"

#include "format/TextFormatProperties.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>

using namespace TextFormatProperties;

namespace {

// XML 1.0 holds no control characters but tab and line ends, no lone surrogates and neither
// U+FFFE nor U+FFFF.
bool allowedInXml(QStringView text, qsizetype index)
{
    const char16_t c = text.at(index).unicode();
    if (c < 0x20)
        return false;
    if (c == 0xFFFE || c == 0xFFFF || c == 0xFDD0 || c == 0xFDD1)
        return false;
    if (QChar::isHighSurrogate(c))
        return index + 1 < text.size() && text.at(index + 1).isLowSurrogate();
    if (QChar::isLowSurrogate(c))
        return index > 0 && text.at(index - 1).isHighSurrogate();
    return true;
}

} // namespace

namespace OfficeFlow {

QList<OfficeRun> runsOf(const QTextBlock& block)
{
    QList<OfficeRun> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        OfficeRun run;
        run.format = fragment.charFormat();
        run.formatIndex = fragment.charFormatIndex();
        run.text = fragment.text();
        run.link = charLink(run.format);
        run.field = run.format.stringProperty(CharFieldInstruction);
        run.note = run.format.property(CharNoteRtf).toByteArray();
        run.noteCodePage = intProperty(run.format, CharNoteCodePage, 1250);
        run.noteNumbered = run.format.boolProperty(CharNoteNumbered);
        run.picture = run.format.isImageFormat();
        runs.append(run);
    }
    return runs;
}

QList<Piece> piecesOf(QStringView text)
{
    QList<Piece> pieces;
    QString current;
    const auto flush = [&] {
        if (!current.isEmpty())
            pieces.append({PieceKind::Text, current});
        current.clear();
    };
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar c = text.at(index);
        if (c == u'\t') {
            flush();
            pieces.append({PieceKind::Tab, {}});
        } else if (c == QChar::LineSeparator || c == u'\n' || c == u'\v') {
            flush();
            pieces.append({PieceKind::LineBreak, {}});
        } else if (allowedInXml(text, index)) {
            current += c;
        }
    }
    flush();
    return pieces;
}

void walk(QTextFrame::iterator it, Visitor& visitor)
{
    for (; !it.atEnd(); ++it) {
        if (const QTextBlock block = it.currentBlock(); block.isValid()) {
            visitor.paragraph(block);
            continue;
        }
        QTextFrame* frame = it.currentFrame();
        if (const auto* table = qobject_cast<const QTextTable*>(frame))
            visitor.table(*table);
        else if (frame)
            walk(frame->begin(), visitor);
    }
}

CellPlace placeOf(const QTextTable& table, int row, int column)
{
    const QTextTableCell cell = table.cellAt(row, column);
    if (cell.row() == row && cell.column() == column)
        return CellPlace::Origin;
    if (cell.column() == column)
        return CellPlace::Below;
    return CellPlace::Covered;
}

QFont prevailingFont(const QTextDocument& document)
{
    QHash<QString, qint64> families;
    QHash<int, qint64> sizes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (const QStringList names = format.fontFamilies().toStringList(); !names.isEmpty())
                families[names.first()] += it.fragment().length();
            if (const int size = charSize(format); size > 0)
                sizes[size] += it.fragment().length();
        }
    }
    // The key with the largest count.
    const auto most = [](const auto& counts) {
        return std::max_element(counts.cbegin(), counts.cend()).key();
    };
    QFont font = document.defaultFont();
    if (!families.isEmpty())
        font.setFamily(most(families));
    if (!sizes.isEmpty())
        font.setPointSizeF(most(sizes) / double(TwipsPerPoint));
    else if (font.pointSizeF() <= 0)
        font.setPointSize(12);
    return font;
}

QList<int> columnWidths(const QTextTable& table)
{
    const QList<QTextLength> constraints = table.format().columnWidthConstraints();
    const int columns = std::max(1, table.columns());
    QList<int> widths;
    for (int column = 0; column < table.columns(); ++column) {
        int width = 9000 / columns;
        if (column < constraints.size()) {
            const QTextLength& length = constraints.at(column);
            if (length.type() == QTextLength::FixedLength)
                width = std::max(1, pixelsToTwips(length.rawValue()));
            else if (length.type() == QTextLength::PercentageLength)
                width = std::max(1, int(9000 * length.rawValue() / 100));
        }
        widths.append(width);
    }
    return widths;
}

} // namespace OfficeFlow
