#pragma once

// The styles part of a Word document (styles.xml): the document defaults, and the paragraph,
// character and table styles, each based on another (basedOn) up to a style that is based on
// none. Asked for a style, it answers the properties that style comes to, its bases' first and
// the document defaults under them all. In a table, the table style's paragraph and run
// properties stand between the defaults and the paragraph style, as Word lays them: Word's own
// "Table Grid" takes away the defaults' spacing after each paragraph of its cells. The fonts
// that styles take from the document's theme (theme1.xml) are named here too.

#include "office/DocxProperties.h"

#include <QHash>
#include <QString>

#include <optional>
#include <tuple>
#include <utility>

class XmlPartReader;

class DocxStyles
{
public:
    // Reads styles.xml; false when it is not well formed (errorString says why).
    bool read(const QByteArray& part);
    QString errorString() const { return m_error; }

    // Reads the major and minor fonts of the theme part; false when it is not well formed.
    bool readTheme(const QByteArray& part);
    // The name of `font`, which may be one of the theme's; empty when the theme names none.
    QString fontName(const DocxFont& font) const;

    // The table style a table with the style `id` (empty when it names none) takes: that one,
    // else the document's default table style; empty when there is none.
    QString tableStyle(const QString& id) const;

    // The paragraph properties of the paragraph style `id` (the default paragraph style when
    // empty or unknown) over those of the table style `tableId` (outside tables empty) and the
    // document defaults.
    DocxParagraphProperties paragraphProperties(const QString& id, const QString& tableId = {}) const;
    // The run properties of text in the paragraph style `paragraphId` and the character style
    // `characterId` (none when empty) over those of the table style `tableId` and the document
    // defaults.
    DocxRunProperties runProperties(const QString& paragraphId, const QString& characterId,
                                    const QString& tableId = {}) const;

private:
    enum class Kind { Paragraph, Character, Table };

    struct Style
    {
        Kind kind = Kind::Paragraph;
        QString basedOn;
        DocxParagraphProperties paragraphProperties;
        DocxRunProperties runProperties;
    };

    void readDefaults(XmlPartReader& xml);
    void readStyle(XmlPartReader& xml);
    // The style `id` of the kind asked for; a paragraph style falls back to the default one.
    const Style* find(const QString& id, Kind kind) const;
    // Merges the styles from the base of `style`'s chain up to `style` into the properties.
    template <typename Properties, typename Member>
    void mergeChain(const Style* style, Properties& into, Member member) const;

    DocxParagraphProperties m_defaultParagraph;
    DocxRunProperties m_defaultRun;
    QHash<QString, Style> m_styles;
    QString m_defaultParagraphStyle;
    QString m_defaultTableStyle;
    QString m_majorFont;
    QString m_minorFont;
    QString m_error;
    // What was answered, as every paragraph and run of a document asks again: by the ids asked
    // for, joined with a character no id holds.
    mutable QHash<QString, DocxParagraphProperties> m_paragraphAnswers;
    mutable QHash<QString, DocxRunProperties> m_runAnswers;
    mutable std::optional<std::pair<std::tuple<QString, QString, QString>, DocxRunProperties>>
        m_lastRunAnswer;
};
