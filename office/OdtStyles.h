#pragma once

// The styles of an OpenDocument text, as styles.xml and content.xml declare them: the font
// faces, the default style of each family, the common styles each with a parent style, the
// automatic styles of the text (each on a common style) and the list styles. Asked for a
// style, it answers what the style comes to: the default style under all, then the chain of
// parents from the first, then the style itself.

#include "office/OdtListStyles.h"
#include "office/OdtProperties.h"

#include <QHash>
#include <QString>
#include <QTextCharFormat>

class XmlPartReader;

class OdtStyles
{
public:
    // What a paragraph style comes to.
    struct Paragraph
    {
        // The default style and the common styles: the paragraph's style, which a list
        // level's indents override.
        DocxParagraphProperties common;
        // The paragraph's automatic style, its direct formatting, over everything else.
        DocxParagraphProperties own;
        bool pageBreakAfter = false;
        QTextCharFormat text; // of the paragraph's text and its mark
        QString listStyle;    // the list style its items take when their list names none
    };

    // Reads the styles of a section (<office:font-face-decls>, <office:styles>,
    // <office:automatic-styles>), the current element, up to its end. The automatic styles
    // of content.xml are read after those of styles.xml and win over them.
    void readSection(XmlPartReader& xml);

    Paragraph paragraph(const QString& name) const;
    // The text style `name` laid over the format `under`; `under` when there is no such style.
    QTextCharFormat text(const QString& name, const QTextCharFormat& under) const;
    // The width of the table column style `name` in twips; 0 when it gives none.
    int columnWidth(const QString& name) const;

    const OdtListStyles& listStyles() const { return m_listStyles; }

private:
    struct Style
    {
        QString parent;
        QString listStyle;
        OdtTextProperties text;
        OdtParagraphProperties paragraph;
        int columnWidth = 0;
    };

    static QString keyOf(QStringView family, QStringView name);
    void readStyle(XmlPartReader& xml, QHash<QString, Style>& into, const QString& key);
    // The style `name` of `family` and its parents, the first parent last; empty when there
    // is no such style.
    QList<const Style*> chain(QStringView family, const QString& name) const;

    QHash<QString, QString> m_fontFamilies; // by font face
    QHash<QString, Style> m_defaults;       // by family
    QHash<QString, Style> m_common;         // by keyOf(family, name)
    QHash<QString, Style> m_automatic;
    OdtListStyles m_listStyles;
    mutable QHash<QString, Paragraph> m_paragraphs; // what each paragraph style comes to, once asked
};
