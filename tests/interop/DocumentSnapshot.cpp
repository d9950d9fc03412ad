#include "DocumentSnapshot.h"

#include "platform/TextFormatProperties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <ostream>

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
    return QStringLiteral("margins %1 %2 %3 %4 indent %5 align %6 line %7/%8")
        .arg(format.leftMargin())
        .arg(format.rightMargin())
        .arg(format.topMargin())
        .arg(format.bottomMargin())
        .arg(format.textIndent())
        .arg(int(format.alignment()))
        .arg(format.lineHeight())
        .arg(format.lineHeightType());
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

void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
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
