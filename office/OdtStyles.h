#pragma once

// The automatic styles of an OpenDocument text as it is written: each distinct paragraph,
// text, table, column and picture format the content uses gets a style (P1, T1, Tbl1 ...)
// made from the Windows values the model keeps (format/TextFormatProperties.h), the lists
// their list styles (L1 ...), and the fonts named their font faces.

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>

class OfficeLists;
class QTextBlock;
class QTextCharFormat;

class OdtStyles
{
public:
    // Text of the face and size of `defaults`, the document's defaults, is left to them.
    explicit OdtStyles(const QFont& defaults) : m_defaults(defaults) {}

    // A length in twips as ODF writes it, in points.
    static QString points(int twips);

    QString paragraphStyle(const QTextBlock& block);
    // Empty for a format that sets nothing.
    QString textStyle(const QTextCharFormat& format);
    // The styles of a table with these column widths (twips) and of its columns.
    struct TableStyles
    {
        QString table;
        QStringList columns;
    };
    TableStyles tableStyles(const QList<int>& widths);
    static QString cellStyle() { return QStringLiteral("Cell"); }
    static QString pictureStyle() { return QStringLiteral("Picture"); }
    // The list style of a nested list of `lists` (from 0).
    static QString listStyle(int list) { return QStringLiteral("L%1").arg(list + 1); }

    // <office:font-face-decls> and <office:automatic-styles> with every style asked for and the
    // list styles of `lists`.
    QByteArray fontFaces(const QString& defaultFont) const;
    QByteArray automaticStyles(const OfficeLists& lists) const;

    // An element of a style's content.
    struct Element
    {
        QString name;
        QList<std::pair<QString, QString>> attributes;
        QList<Element> children;
        void add(const QString& attribute, const QString& value) { attributes.append({attribute, value}); }
    };

private:
    struct Style
    {
        QString name;
        QString family;
        QList<Element> content;
    };

    QString addStyle(const QString& family, const QString& prefix, const QList<Element>& content);
    Element textProperties(const QTextCharFormat& format, bool sizeAndFontOnly);

    QList<Style> m_styles;
    QHash<QByteArray, int> m_styleOf; // by family and content as written
    QHash<QString, int> m_countOf;    // styles made with each prefix
    QSet<QString> m_fonts;
    QFont m_defaults;
};
