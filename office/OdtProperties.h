#pragma once

// The text and paragraph properties of OpenDocument (<style:text-properties>,
// <style:paragraph-properties>) as one layer of formatting gives them: a default style, a
// common or automatic style. A layer sets only what it names, so layers laid one over the
// other, the later winning, give the text's format.

#include "office/DocxProperties.h"

#include <QHash>
#include <QString>
#include <QTextCharFormat>

#include <optional>

class XmlPartReader;

namespace OdtLength {

// A length ("2.5cm", "12pt", "0.5in", "3mm", "1pc", "10px") in twips; nothing when it is not
// a length.
std::optional<int> twips(QStringView value);

} // namespace OdtLength

struct OdtTextProperties
{
    QTextCharFormat format;            // the properties given, in TextFormatProperties' terms
    std::optional<double> sizePercent; // a size relative to the layers below
    QString fontFace;                  // the name of a declared font face (style:font-name)
    // Kept apart from `format`, where the values that are no property (shown, the default
    // language) could not cover a lower layer's.
    std::optional<bool> hidden;
    std::optional<int> language; // a Windows language id

    // Reads the attributes of <style:text-properties>, the current element.
    void read(const XmlPartReader& xml);
    // Lays these properties over `format`; `fontFamilies` gives the family of each font face.
    void applyTo(QTextCharFormat& format, const QHash<QString, QString>& fontFamilies) const;
};

struct OdtParagraphProperties
{
    // Alignment, indents, spacing, line spacing, page break before and tab stops; the list,
    // style and mark members stay unset.
    DocxParagraphProperties values;
    std::optional<bool> pageBreakAfter;

    void merge(const OdtParagraphProperties& later);
    // Reads <style:paragraph-properties>, the current element, up to its end.
    void read(XmlPartReader& xml);
};
