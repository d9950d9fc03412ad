#include "office/OdtStyles.h"

#include "format/TextFormatProperties.h"
#include "office/OfficeXml.h"

#include "office/XmlPartReader.h"

using namespace OfficeXml;

namespace {

// Longer chains of parents are taken as loops.
constexpr int MaxChain = 32;
// The size of text that no style gives one: 12 points, as in the usual default style.
constexpr int DefaultSizeTwips = 240;

} // namespace

QString OdtStyles::keyOf(QStringView family, QStringView name)
{
    return family.toString() + u'/' + name.toString();
}

void OdtStyles::readSection(XmlPartReader& xml)
{
    const bool automatic = xml.name() == u"automatic-styles";
    while (xml.readNextStartElement()) {
        const QStringView element = xml.name();
        const QString name = attribute(xml, QLatin1StringView("name")).toString();
        const QStringView family = attribute(xml, QLatin1StringView("family"));
        if (element == u"font-face") {
            QString face = attribute(xml, QLatin1StringView("font-family")).toString();
            m_fontFamilies.insert(name, face.remove(u'\'').remove(u'"'));
            xml.skipCurrentElement();
        } else if (element == u"default-style") {
            readStyle(xml, m_defaults, family.toString());
        } else if (element == u"style") {
            readStyle(xml, automatic ? m_automatic : m_common, keyOf(family, name));
        } else if (element == u"list-style") {
            m_listStyles.read(xml, automatic);
        } else {
            xml.skipCurrentElement();
        }
    }
    m_paragraphs.clear();
}

void OdtStyles::readStyle(XmlPartReader& xml, QHash<QString, Style>& into, const QString& key)
{
    Style style;
    style.parent = attribute(xml, QLatin1StringView("parent-style-name")).toString();
    style.listStyle = attribute(xml, QLatin1StringView("list-style-name")).toString();
    while (xml.readNextStartElement()) {
        const QStringView element = xml.name();
        if (element == u"paragraph-properties") {
            style.paragraph.read(xml);
            continue;
        }
        if (element == u"text-properties")
            style.text.read(xml);
        else if (element == u"table-column-properties")
            style.columnWidth =
                OdtLength::twips(attribute(xml, QLatin1StringView("column-width"))).value_or(0);
        xml.skipCurrentElement();
    }
    into.insert(key, style);
}

QList<const OdtStyles::Style*> OdtStyles::chain(QStringView family, const QString& name) const
{
    QList<const Style*> styles;
    const QString key = keyOf(family, name);
    const Style* style = nullptr;
    if (const auto automatic = m_automatic.constFind(key); automatic != m_automatic.cend())
        style = &*automatic;
    else if (const auto common = m_common.constFind(key); common != m_common.cend())
        style = &*common;
    while (style && styles.size() < MaxChain && !styles.contains(style)) {
        styles.append(style);
        // Parents are common styles.
        const auto parent = m_common.constFind(keyOf(family, style->parent));
        style = parent == m_common.cend() ? nullptr : &*parent;
    }
    return styles;
}

OdtStyles::Paragraph OdtStyles::paragraph(const QString& name) const
{
    if (const auto known = m_paragraphs.constFind(name); known != m_paragraphs.cend())
        return *known;
    const QString family = QStringLiteral("paragraph");
    QList<const Style*> styles = chain(family, name);
    if (const auto fallback = m_defaults.constFind(family); fallback != m_defaults.cend())
        styles.append(&*fallback);
    const bool automatic = m_automatic.contains(keyOf(family, name));
    Paragraph paragraph;
    TextFormatProperties::setCharSize(paragraph.text, DefaultSizeTwips);
    TextFormatProperties::setCharTextColor(paragraph.text, QColor());
    TextFormatProperties::setCharBackColor(paragraph.text, QColor());
    OdtParagraphProperties all;
    for (auto style = styles.crbegin(); style != styles.crend(); ++style) {
        (*style)->text.applyTo(paragraph.text, m_fontFamilies);
        if (!(*style)->listStyle.isEmpty())
            paragraph.listStyle = (*style)->listStyle;
        if (automatic && *style == styles.first())
            paragraph.own = (*style)->paragraph.values;
        else
            paragraph.common.merge((*style)->paragraph.values);
        all.merge((*style)->paragraph);
    }
    paragraph.pageBreakAfter = all.pageBreakAfter.value_or(false);
    return *m_paragraphs.insert(name, paragraph);
}

QTextCharFormat OdtStyles::text(const QString& name, const QTextCharFormat& under) const
{
    QTextCharFormat format = under;
    const QList<const Style*> styles = chain(u"text", name);
    for (auto style = styles.crbegin(); style != styles.crend(); ++style)
        (*style)->text.applyTo(format, m_fontFamilies);
    return format;
}

int OdtStyles::columnWidth(const QString& name) const
{
    const QList<const Style*> styles = chain(u"table-column", name);
    return styles.isEmpty() ? 0 : styles.first()->columnWidth;
}
