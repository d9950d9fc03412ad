#pragma once

// The styles part of a Word document (styles.xml): the document defaults, and the paragraph
// and character styles, each based on another (basedOn) up to a style that is based on none.
// Asked for a style, it answers the properties that style comes to, its bases' first and the
// document defaults under them all. The fonts that styles take from the document's theme
// (theme1.xml) are named here too.

#include "office/DocxProperties.h"

#include <QHash>
#include <QString>

#include <optional>
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

    // The paragraph properties of the paragraph style `id` (the default paragraph style when
    // empty or unknown) over the document defaults.
    DocxParagraphProperties paragraphProperties(const QString& id) const;
    // The run properties of text in the paragraph style `paragraphId` and the character style
    // `characterId` (none when empty) over the document defaults.
    DocxRunProperties runProperties(const QString& paragraphId, const QString& characterId) const;

private:
    struct Style
    {
        bool paragraph = true; // otherwise a character style
        QString basedOn;
        DocxParagraphProperties paragraphProperties;
        DocxRunProperties runProperties;
    };

    void readDefaults(XmlPartReader& xml);
    void readStyle(XmlPartReader& xml);
    // The style `id` of the kind asked for, falling back to the default paragraph style.
    const Style* find(const QString& id, bool paragraph) const;
    // Merges the styles from the base of `style`'s chain up to `style` into the properties.
    template <typename Properties, typename Member>
    void mergeChain(const Style* style, Properties& into, Member member) const;

    DocxParagraphProperties m_defaultParagraph;
    DocxRunProperties m_defaultRun;
    QHash<QString, Style> m_styles;
    QString m_defaultParagraphStyle;
    QString m_majorFont;
    QString m_minorFont;
    QString m_error;
    // What was answered, as every paragraph and run of a document asks again: by style id,
    // and by the two ids joined with a character no id holds.
    mutable QHash<QString, DocxParagraphProperties> m_paragraphAnswers;
    mutable QHash<QString, DocxRunProperties> m_runAnswers;
    mutable std::optional<std::pair<std::pair<QString, QString>, DocxRunProperties>> m_lastRunAnswer;
};
