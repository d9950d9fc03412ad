#include "office/DocxStyles.h"

#include "office/OfficeXml.h"

#include "office/XmlPartReader.h"

using namespace OfficeXml;

namespace {

// Longer chains of bases are taken as loops: Word's own stop at a few.
constexpr int MaxChain = 32;

} // namespace

bool DocxStyles::read(const QByteArray& part)
{
    XmlPartReader xml(part);
    if (enterRoot(xml)) {
        while (xml.readNextStartElement()) {
            if (xml.name() == u"docDefaults")
                readDefaults(xml);
            else if (xml.name() == u"style")
                readStyle(xml);
            else
                xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        m_error = QStringLiteral("styles: %1").arg(xml.errorString());
        return false;
    }
    return true;
}

bool DocxStyles::readTheme(const QByteArray& part)
{
    XmlPartReader xml(part);
    QString* font = nullptr;
    if (enterRoot(xml)) {
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"majorFont")
                font = &m_majorFont;
            else if (xml.name() == u"minorFont")
                font = &m_minorFont;
            else if (xml.name() == u"latin" && font && font->isEmpty())
                *font = attribute(xml, QLatin1StringView("typeface")).toString();
        }
    }
    if (xml.hasError()) {
        m_error = QStringLiteral("theme: %1").arg(xml.errorString());
        return false;
    }
    return true;
}

QString DocxStyles::fontName(const DocxFont& font) const
{
    switch (font.theme) {
    case DocxFont::Named:
        return font.name;
    case DocxFont::Major:
        return m_majorFont;
    case DocxFont::Minor:
        return m_minorFont;
    }
    return font.name;
}

void DocxStyles::readDefaults(XmlPartReader& xml)
{
    while (xml.readNextStartElement()) {
        const bool run = xml.name() == u"rPrDefault";
        const bool paragraph = xml.name() == u"pPrDefault";
        while (xml.readNextStartElement()) {
            if (run && xml.name() == u"rPr")
                m_defaultRun.read(xml);
            else if (paragraph && xml.name() == u"pPr")
                m_defaultParagraph.read(xml);
            else
                xml.skipCurrentElement();
        }
    }
}

void DocxStyles::readStyle(XmlPartReader& xml)
{
    const QStringView type = attribute(xml, QLatin1StringView("type"));
    Style style;
    if (type == u"paragraph")
        style.kind = Kind::Paragraph;
    else if (type == u"character")
        style.kind = Kind::Character;
    else if (type == u"table")
        style.kind = Kind::Table;
    else {
        xml.skipCurrentElement();
        return;
    }
    const QString id = attribute(xml, QLatin1StringView("styleId")).toString();
    if (isOnAttribute(xml, QLatin1StringView("default"))) {
        if (style.kind == Kind::Paragraph)
            m_defaultParagraphStyle = id;
        else if (style.kind == Kind::Table)
            m_defaultTableStyle = id;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"basedOn") {
            style.basedOn = attribute(xml, QLatin1StringView("val")).toString();
            xml.skipCurrentElement();
        } else if (xml.name() == u"pPr") {
            style.paragraphProperties.read(xml);
        } else if (xml.name() == u"rPr") {
            style.runProperties.read(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
    m_styles.insert(id, style);
}

const DocxStyles::Style* DocxStyles::find(const QString& id, Kind kind) const
{
    if (kind == Kind::Table && id.isEmpty())
        return nullptr; // outside tables
    const auto found = m_styles.constFind(id);
    if (found != m_styles.cend() && found->kind == kind)
        return &*found;
    if (kind != Kind::Paragraph)
        return nullptr;
    const auto fallback = m_styles.constFind(m_defaultParagraphStyle);
    return fallback == m_styles.cend() ? nullptr : &*fallback;
}

QString DocxStyles::tableStyle(const QString& id) const
{
    const auto found = m_styles.constFind(id);
    return found != m_styles.cend() && found->kind == Kind::Table ? id : m_defaultTableStyle;
}

template <typename Properties, typename Member>
void DocxStyles::mergeChain(const Style* style, Properties& into, Member member) const
{
    QList<const Style*> chain;
    for (; style && chain.size() < MaxChain && !chain.contains(style);) {
        chain.append(style);
        const auto base = m_styles.constFind(style->basedOn);
        style = base == m_styles.cend() || base->kind != chain.first()->kind ? nullptr : &*base;
    }
    for (auto it = chain.crbegin(); it != chain.crend(); ++it)
        into.merge((*it)->*member);
}

DocxParagraphProperties DocxStyles::paragraphProperties(const QString& id, const QString& tableId) const
{
    const QString key = tableId.isEmpty() ? id : id + u'\n' + tableId;
    if (const auto answered = m_paragraphAnswers.constFind(key); answered != m_paragraphAnswers.cend())
        return *answered;
    DocxParagraphProperties properties = m_defaultParagraph;
    mergeChain(find(tableId, Kind::Table), properties, &Style::paragraphProperties);
    mergeChain(find(id, Kind::Paragraph), properties, &Style::paragraphProperties);
    m_paragraphAnswers.insert(key, properties);
    return properties;
}

DocxRunProperties DocxStyles::runProperties(const QString& paragraphId, const QString& characterId,
                                            const QString& tableId) const
{
    // Runs after each other mostly ask the same.
    auto asked = std::tuple(paragraphId, characterId, tableId);
    if (m_lastRunAnswer && m_lastRunAnswer->first == asked)
        return m_lastRunAnswer->second;
    const QString key = paragraphId + u'\n' + characterId + u'\n' + tableId;
    if (const auto answered = m_runAnswers.constFind(key); answered != m_runAnswers.cend()) {
        m_lastRunAnswer.emplace(std::move(asked), *answered);
        return *answered;
    }
    DocxRunProperties properties = m_defaultRun;
    mergeChain(find(tableId, Kind::Table), properties, &Style::runProperties);
    mergeChain(find(paragraphId, Kind::Paragraph), properties, &Style::runProperties);
    if (!characterId.isEmpty())
        mergeChain(find(characterId, Kind::Character), properties, &Style::runProperties);
    m_runAnswers.insert(key, properties);
    m_lastRunAnswer.emplace(std::move(asked), properties);
    return properties;
}
