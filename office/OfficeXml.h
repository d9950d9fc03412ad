#pragma once

// What the readers of office XML parts share on top of XmlPartReader: refusing a document type
// declaration (the only place entities can be declared, so nothing is ever expanded), attributes
// found by their local name whatever prefix the writer chose, the value types of
// WordprocessingML, text made safe for the document and a guard on the depth of nesting.

#include "office/XmlPartReader.h"

#include <QColor>
#include <QStringView>

#include <optional>

namespace OfficeXml {

// Reads up to the root element. False, with the reader's error raised, when the part is not
// well formed, has no root or declares a document type.
bool enterRoot(XmlPartReader& xml);

// The attribute `localName` of the current element; a null view when it has none.
inline QStringView attribute(const XmlPartReader& xml, QLatin1StringView localName)
{
    return xml.attribute(localName);
}

// An on/off property (<w:b/>, <w:b w:val="0"/>): on unless its value says off.
bool isOn(const XmlPartReader& xml);

// An on/off attribute (w:default="1"): on when its value says so.
bool isOnAttribute(const XmlPartReader& xml, QLatin1StringView localName);

// An integer attribute in twips or half points, limited to what a page can hold; nothing
// when it is missing or not a number.
std::optional<int> number(const XmlPartReader& xml, QLatin1StringView localName);

// "RRGGBB"; "auto" and anything else give an invalid colour.
QColor hexColor(QStringView value);

// Text with the characters that would be read as the structure of the document (paragraph
// ends, frames, objects) rather than as text made spaces.
QString plainText(QString text);

// Counts the containers being read within each other while it lives.
class Nesting
{
public:
    explicit Nesting(int& depth) : m_depth(++depth) {}
    ~Nesting() { --m_depth; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
    // Deeper containers than documents write are left out, not read on the stack.
    bool allowsMore() const { return m_depth < 64; }

private:
    int& m_depth;
};

// Reads each child element of the current one through `read`, a container deeper: children
// deeper than documents go are skipped.
template <typename Read> void readChildren(XmlPartReader& xml, int& depth, Read read)
{
    const Nesting nesting(depth);
    while (xml.readNextStartElement()) {
        if (nesting.allowsMore())
            read();
        else
            xml.skipCurrentElement();
    }
}

} // namespace OfficeXml
