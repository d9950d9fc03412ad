#pragma once

// What the readers of office XML parts share on top of QXmlStreamReader and XmlPartReader:
// refusing a document type declaration (the only place entities can be declared, so nothing is
// ever expanded), attributes found by their local name whatever prefix the writer chose, the
// value types of WordprocessingML, text made safe for the document and a guard on the depth of
// nesting.

#include "office/XmlPartReader.h"

#include <QColor>
#include <QStringView>
#include <QXmlStreamReader>

#include <optional>

namespace OfficeXml {

// The attribute `localName` of the current element; a null view when it has none.
QStringView attribute(const QXmlStreamReader& xml, QLatin1StringView localName);
inline QStringView attribute(const XmlPartReader& xml, QLatin1StringView localName)
{
    return xml.attribute(localName);
}

// Reads up to the root element. False, with the reader's error raised, when the part is not
// well formed, has no root or declares a document type.
template <typename Xml> bool enterRoot(Xml& xml)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            xml.raiseError(QStringLiteral("The part declares a document type"));
            return false;
        case QXmlStreamReader::StartElement:
            return true;
        default:
            break;
        }
    }
    if (!xml.hasError())
        xml.raiseError(QStringLiteral("The part has no root element"));
    return false;
}

// An on/off property (<w:b/>, <w:b w:val="0"/>): on unless its value says off.
template <typename Xml> bool isOn(const Xml& xml)
{
    const QStringView value = attribute(xml, QLatin1StringView("val"));
    return !(value == u"0" || value == u"false" || value == u"off");
}

// An on/off attribute (w:default="1"): on when its value says so.
template <typename Xml> bool isOnAttribute(const Xml& xml, QLatin1StringView localName)
{
    const QStringView value = attribute(xml, localName);
    return value == u"1" || value == u"true" || value == u"on";
}

// An integer in twips or half points, limited to what a page can hold; nothing when it is
// missing or not a number.
std::optional<int> numberOf(QStringView value);
template <typename Xml> std::optional<int> number(const Xml& xml, QLatin1StringView localName)
{
    return numberOf(attribute(xml, localName));
}

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
template <typename Xml, typename Read> void readChildren(Xml& xml, int& depth, Read read)
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
