#pragma once

// The run and paragraph properties of WordprocessingML (<w:rPr>, <w:pPr>) as one layer of
// formatting gives them: document defaults, a style, a list level or the text's own. Each
// value is optional, so layers merge with the later one winning where it says something.

#include "format/ParagraphValues.h"

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

class XmlPartReader;

// A run's font: named, or one of the two the document's theme names.
struct DocxFont
{
    enum Theme { Named, Major, Minor };
    Theme theme = Named;
    QString name; // of a named font

    bool operator==(const DocxFont&) const = default;
};

struct DocxRunProperties
{
    enum Position { Baseline, Subscript, Superscript };

    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<bool> strike;
    std::optional<Position> position;
    std::optional<int> raise;         // half points above the baseline, negative below
    std::optional<QColor> color;      // invalid: automatic
    std::optional<QColor> background; // highlight, or the shading's fill; invalid: none
    std::optional<int> size;          // half points
    std::optional<DocxFont> font;     // of Latin text
    std::optional<bool> hidden;
    std::optional<bool> noProof;
    std::optional<int> language; // the Windows language id of Latin text
    QString style;               // the character style, of the text's own properties only

    bool operator==(const DocxRunProperties&) const = default;
    void merge(const DocxRunProperties& later);
    // Reads the children of <w:rPr>, the current element, up to its end.
    void read(XmlPartReader& xml);
};

size_t qHash(const DocxRunProperties& properties, size_t seed = 0);

struct DocxParagraphProperties
{
    enum LineRule { Auto, Exactly, AtLeast };

    std::optional<int> alignment; // PFA_
    std::optional<int> left;      // twips
    std::optional<int> right;     // twips
    std::optional<int> firstLine; // twips from the left indent; negative hangs
    std::optional<int> before;    // twips
    std::optional<int> after;     // twips
    std::optional<int> line;      // 240 a line (Auto), else twips
    std::optional<LineRule> lineRule;
    std::optional<bool> pageBreakBefore;
    std::optional<int> numberingId; // 0 takes the paragraph out of a list
    std::optional<int> level;
    std::optional<QList<int>> tabs;
    QString style;             // the paragraph style, of the text's own properties only
    DocxRunProperties markRun; // the paragraph mark's, of the text's own properties only

    void merge(const DocxParagraphProperties& later);
    // Reads the children of <w:pPr>, the current element, up to its end.
    void read(XmlPartReader& xml);
    ParagraphValues values() const;
};
