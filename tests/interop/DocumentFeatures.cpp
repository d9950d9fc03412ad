#include "tests/interop/DocumentFeatures.h"

#include "format/TextFormatProperties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace TFP = TextFormatProperties;

namespace {

void addCharacterFeatures(const QTextCharFormat& format, QSet<QString>& features, QSet<int>& sizes,
                          QSet<QString>& families)
{
    if (format.fontWeight() >= QFont::DemiBold)
        features.insert(QStringLiteral("bold"));
    if (format.fontItalic())
        features.insert(QStringLiteral("italic"));
    if (format.underlineStyle() != QTextCharFormat::NoUnderline)
        features.insert(QStringLiteral("underline"));
    if (format.fontStrikeOut())
        features.insert(QStringLiteral("strike"));
    if (!TFP::charAutoColor(format))
        features.insert(QStringLiteral("text colour"));
    if (!TFP::charAutoBackColor(format))
        features.insert(QStringLiteral("highlight"));
    if (TFP::charOffset(format) < 0 || format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        features.insert(QStringLiteral("subscript"));
    if (TFP::charOffset(format) > 0 || format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        features.insert(QStringLiteral("superscript"));
    if (!TFP::charLink(format).isEmpty())
        features.insert(QStringLiteral("link ") + TFP::charLink(format));
    if (format.isImageFormat() && !format.property(TFP::ObjectPictureData).toByteArray().isEmpty())
        features.insert(format.stringProperty(TFP::ObjectPictureKind) + QStringLiteral(" picture"));
    sizes.insert(TFP::charSize(format));
    families.insert(format.property(QTextFormat::FontFamilies).toStringList().value(0));
}

QString listKind(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return QStringLiteral("bulleted list");
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha:
        return QStringLiteral("lettered list");
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman:
        return QStringLiteral("roman list");
    case QTextListFormat::ListDecimal:
    case QTextListFormat::ListStyleUndefined:
        break;
    }
    return QStringLiteral("numbered list");
}

void addBlockFeatures(const QTextBlock& block, QSet<QString>& features)
{
    const QTextBlockFormat format = block.blockFormat();
    switch (TFP::blockAlignment(format)) {
    case 2:
        features.insert(QStringLiteral("right aligned"));
        break;
    case 3:
        features.insert(QStringLiteral("centred"));
        break;
    case 4:
        features.insert(QStringLiteral("justified"));
        break;
    }
    if (TFP::blockStartIndent(format) > 0 && TFP::blockOffset(format) == 0)
        features.insert(QStringLiteral("left indent"));
    if (TFP::blockOffset(format) < 0)
        features.insert(QStringLiteral("first-line indent"));
    if (TFP::blockOffset(format) > 0 && !block.textList())
        features.insert(QStringLiteral("hanging indent"));
    if (TFP::blockRightIndent(format) > 0)
        features.insert(QStringLiteral("right indent"));
    if (TFP::blockSpaceBefore(format) > 0)
        features.insert(QStringLiteral("space before"));
    if (TFP::blockSpaceAfter(format) > 0)
        features.insert(QStringLiteral("space after"));
    if (TFP::blockLineSpacingRule(format) != TFP::LineSpacingSingle)
        features.insert(QStringLiteral("line spacing"));
    if (const QTextList* list = block.textList())
        features.insert(listKind(list->format().style()));
    if (const QTextTable* table = QTextCursor(block).currentTable())
        features.insert(QStringLiteral("table %1x%2").arg(table->rows()).arg(table->columns()));
}

} // namespace

QSet<QString> DocumentFeatures(const QTextDocument& document)
{
    QSet<QString> features;
    QSet<int> sizes;
    QSet<QString> families;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        addBlockFeatures(block, features);
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            addCharacterFeatures(fragment.fragment().charFormat(), features, sizes, families);
    }
    if (sizes.size() > 1)
        features.insert(QStringLiteral("several sizes"));
    if (families.size() > 1)
        features.insert(QStringLiteral("several fonts"));
    return features;
}
