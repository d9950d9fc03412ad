#include "tests/interop/DocumentSnapshot.h"

#include "format/TextFormatProperties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <ostream>
#include <type_traits>

namespace TFP = TextFormatProperties;

namespace {

QString colorName(bool automatic, const QBrush& brush)
{
    return automatic ? QStringLiteral("auto") : brush.color().name(QColor::HexArgb);
}

QString fontFamily(const QTextCharFormat& format)
{
    const QVariant families = format.property(QTextFormat::FontFamilies);
    if (families.isValid())
        return families.toStringList().join(u',');
    return format.stringProperty(QTextFormat::FontFamily);
}

QString objectDescription(const QTextCharFormat& format)
{
    if (!format.isImageFormat())
        return {};
    const QTextImageFormat image = format.toImageFormat();
    const QByteArray picture = image.property(TFP::ObjectPictureData).toByteArray();
    const QByteArray kept = image.property(TFP::ObjectRtf).toByteArray();
    // The shown size in whole twips: RTF carries a picture's size in twips, so a
    // fraction of a twip (from scaling) cannot be written and is not compared.
    return QStringLiteral("%1 %2x%3tw picture %4 bytes #%5 kept %6 bytes #%7")
        .arg(image.stringProperty(TFP::ObjectPictureKind))
        .arg(TFP::pixelsToTwips(image.width()))
        .arg(TFP::pixelsToTwips(image.height()))
        .arg(picture.size())
        .arg(qHash(picture))
        .arg(kept.size())
        .arg(qHash(kept));
}

RunSnapshot runFormat(const QTextCharFormat& format)
{
    RunSnapshot run;
    run.family = fontFamily(format);
    run.pointSize = format.fontPointSize();
    run.sizeTwips = TFP::charSize(format);
    run.weight = format.fontWeight();
    run.italic = format.fontItalic();
    run.underlineStyle = format.underlineStyle();
    run.strikeOut = format.fontStrikeOut();
    run.textColor = colorName(TFP::charAutoColor(format), format.foreground());
    run.backgroundColor = colorName(TFP::charAutoBackColor(format), format.background());
    run.verticalAlignment = format.verticalAlignment();
    run.offsetTwips = TFP::charOffset(format);
    run.charset = TFP::charCharset(format);
    run.isProtected = format.boolProperty(TFP::CharProtected);
    run.link = TFP::charLink(format);
    run.object = objectDescription(format);
    return run;
}

bool sameFormat(const RunSnapshot& left, const RunSnapshot& right)
{
    RunSnapshot withoutText = right;
    withoutText.text = left.text;
    return left == withoutText;
}

std::vector<RunSnapshot> blockRuns(const QTextBlock& block)
{
    std::vector<RunSnapshot> runs;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextFragment piece = fragment.fragment();
        if (!piece.isValid())
            continue;
        RunSnapshot run = runFormat(piece.charFormat());
        run.text = piece.text();
        // A picture is one character of its own; never merge two of them.
        if (!runs.empty() && run.object.isEmpty() && sameFormat(runs.back(), run))
            runs.back().text += run.text;
        else
            runs.push_back(run);
    }
    return runs;
}

int intOr(const QTextFormat& format, int property, int fallback)
{
    return format.hasProperty(property) ? format.intProperty(property) : fallback;
}

QString listDescription(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    QString description;
    if (const QTextList* list = block.textList())
        description = QStringLiteral("style %1 indent %2 item %3 ")
                          .arg(list->format().style())
                          .arg(list->format().indent())
                          .arg(list->itemNumber(block));
    return description + QStringLiteral("numbering %1 start %2 style %3 tab %4 level %5")
                             .arg(intOr(format, TFP::BlockNumbering, -1))
                             .arg(intOr(format, TFP::BlockNumberingStart, -1))
                             .arg(intOr(format, TFP::BlockNumberingStyle, -1))
                             .arg(intOr(format, TFP::BlockNumberingTab, -1))
                             .arg(intOr(format, TFP::BlockListLevel, -1));
}

QString tableCellDescription(const QTextBlock& block)
{
    const QTextCursor cursor(block);
    const QTextTable* table = cursor.currentTable();
    if (!table)
        return {};
    const QTextTableCell cell = table->cellAt(cursor);
    return QStringLiteral("%1,%2 of %3x%4 span %5x%6")
        .arg(cell.row())
        .arg(cell.column())
        .arg(table->rows())
        .arg(table->columns())
        .arg(cell.rowSpan())
        .arg(cell.columnSpan());
}

QString qtLayoutDescription(const QTextBlockFormat& format)
{
    // Under single line height Qt ignores the height value, so 0 and 100 mean the same.
    const QString line = format.lineHeightType() == QTextBlockFormat::SingleHeight
                             ? QStringLiteral("single")
                             : QStringLiteral("%1/%2").arg(format.lineHeight()).arg(format.lineHeightType());
    return QStringLiteral("margins %1 %2 %3 %4 indent %5 align %6 line %7")
        .arg(format.leftMargin())
        .arg(format.rightMargin())
        .arg(format.topMargin())
        .arg(format.bottomMargin())
        .arg(format.textIndent())
        .arg(int(format.alignment()))
        .arg(line);
}

QString tabsDescription(const QTextBlockFormat& format)
{
    QStringList stops;
    for (const QTextOption::Tab& tab : format.tabPositions())
        stops.append(QStringLiteral("%1:%2").arg(tab.position).arg(int(tab.type)));
    return stops.join(u' ');
}

BlockSnapshot blockSnapshot(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    BlockSnapshot snapshot;
    snapshot.text = block.text();
    snapshot.alignment = TFP::blockAlignment(format);
    snapshot.startIndent = TFP::blockStartIndent(format);
    snapshot.offset = TFP::blockOffset(format);
    snapshot.rightIndent = TFP::blockRightIndent(format);
    snapshot.spaceBefore = TFP::blockSpaceBefore(format);
    snapshot.spaceAfter = TFP::blockSpaceAfter(format);
    snapshot.lineSpacingRule = TFP::blockLineSpacingRule(format);
    snapshot.lineSpacing = TFP::blockLineSpacing(format);
    snapshot.qtLayout = qtLayoutDescription(format);
    snapshot.list = listDescription(block);
    snapshot.tableCell = tableCellDescription(block);
    snapshot.tabs = tabsDescription(format);
    snapshot.pageBreak = int(format.pageBreakPolicy());
    snapshot.runs = blockRuns(block);
    return snapshot;
}

} // namespace

std::vector<BlockSnapshot> SnapshotDocument(const QTextDocument& document)
{
    std::vector<BlockSnapshot> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks.push_back(blockSnapshot(block));
    return blocks;
}

namespace {

// Long texts are shown from a little before where the two values part.
template <typename Value> QString shown(const Value& value, qsizetype from)
{
    if constexpr (std::is_same_v<Value, QString>) {
        const qsizetype start = std::max<qsizetype>(0, from - 12);
        const QString part = value.mid(start, 48);
        return QLatin1Char('"') + (start > 0 ? QStringLiteral("…") : QString()) + part +
               (start + part.size() < value.size() ? QStringLiteral("…") : QString()) + QLatin1Char('"');
    } else {
        return QString::number(value);
    }
}

template <typename Value> qsizetype partingPoint(const Value& left, const Value& right)
{
    qsizetype index = 0;
    if constexpr (std::is_same_v<Value, QString>)
        while (index < left.size() && index < right.size() && left.at(index) == right.at(index))
            ++index;
    return index;
}

template <typename Value>
void compareField(QStringList& differences, const QString& where, const char* field, const Value& left,
                  const Value& right)
{
    if (left == right)
        return;
    const qsizetype from = partingPoint(left, right);
    differences.append(where + QLatin1String(field) + QLatin1Char(' ') + shown(left, from) +
                       QStringLiteral(" -> ") + shown(right, from));
}

} // namespace

QString DescribeDifference(const BlockSnapshot& before, const BlockSnapshot& after)
{
    QStringList differences;
    const QString block;
    compareField(differences, block, "text", before.text, after.text);
    compareField(differences, block, "alignment", before.alignment, after.alignment);
    compareField(differences, block, "start indent", before.startIndent, after.startIndent);
    compareField(differences, block, "offset", before.offset, after.offset);
    compareField(differences, block, "right indent", before.rightIndent, after.rightIndent);
    compareField(differences, block, "space before", before.spaceBefore, after.spaceBefore);
    compareField(differences, block, "space after", before.spaceAfter, after.spaceAfter);
    compareField(differences, block, "line spacing rule", before.lineSpacingRule, after.lineSpacingRule);
    compareField(differences, block, "line spacing", before.lineSpacing, after.lineSpacing);
    compareField(differences, block, "Qt layout", before.qtLayout, after.qtLayout);
    compareField(differences, block, "list", before.list, after.list);
    compareField(differences, block, "table cell", before.tableCell, after.tableCell);
    compareField(differences, block, "tabs", before.tabs, after.tabs);
    compareField(differences, block, "page break", before.pageBreak, after.pageBreak);
    compareField(differences, block, "runs", qsizetype(before.runs.size()), qsizetype(after.runs.size()));
    for (size_t index = 0; index < std::min(before.runs.size(), after.runs.size()); ++index) {
        const RunSnapshot& left = before.runs[index];
        const RunSnapshot& right = after.runs[index];
        const QString run = QStringLiteral("run %1 ").arg(index);
        compareField(differences, run, "text", left.text, right.text);
        compareField(differences, run, "font", left.family, right.family);
        compareField(differences, run, "points", left.pointSize, right.pointSize);
        compareField(differences, run, "size", left.sizeTwips, right.sizeTwips);
        compareField(differences, run, "weight", left.weight, right.weight);
        compareField(differences, run, "italic", int(left.italic), int(right.italic));
        compareField(differences, run, "underline", left.underlineStyle, right.underlineStyle);
        compareField(differences, run, "strike", int(left.strikeOut), int(right.strikeOut));
        compareField(differences, run, "colour", left.textColor, right.textColor);
        compareField(differences, run, "background", left.backgroundColor, right.backgroundColor);
        compareField(differences, run, "vertical alignment", left.verticalAlignment, right.verticalAlignment);
        compareField(differences, run, "offset", left.offsetTwips, right.offsetTwips);
        compareField(differences, run, "charset", left.charset, right.charset);
        compareField(differences, run, "protected", int(left.isProtected), int(right.isProtected));
        compareField(differences, run, "link", left.link, right.link);
        compareField(differences, run, "object", left.object, right.object);
    }
    return differences.join(QStringLiteral(", "));
}

void PrintTo(const RunSnapshot& run, std::ostream* out)
{
    *out << "\"" << run.text.toStdString() << "\" font \"" << run.family.toStdString() << "\" "
         << run.pointSize << "pt/" << run.sizeTwips << "tw weight " << run.weight
         << (run.italic ? " italic" : "") << " underline " << run.underlineStyle
         << (run.strikeOut ? " strike" : "") << " colour " << run.textColor.toStdString() << " on "
         << run.backgroundColor.toStdString() << " valign " << run.verticalAlignment << " offset "
         << run.offsetTwips << " charset " << run.charset << (run.isProtected ? " protected" : "");
    if (!run.link.isEmpty())
        *out << " link " << run.link.toStdString();
    if (!run.object.isEmpty())
        *out << " object " << run.object.toStdString();
}

void PrintTo(const BlockSnapshot& block, std::ostream* out)
{
    *out << "block \"" << block.text.left(60).toStdString() << "\"\n  align " << block.alignment << " start "
         << block.startIndent << " offset " << block.offset << " right " << block.rightIndent << " before "
         << block.spaceBefore << " after " << block.spaceAfter << " line " << block.lineSpacingRule << "/"
         << block.lineSpacing << " page break " << block.pageBreak << "\n  qt "
         << block.qtLayout.toStdString() << "\n  list " << block.list.toStdString() << "\n  cell "
         << block.tableCell.toStdString() << "\n  tabs " << block.tabs.toStdString();
    for (const RunSnapshot& run : block.runs) {
        *out << "\n  run ";
        PrintTo(run, out);
    }
}
