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
    if (type != u"paragraph" && type != u"character") {
        xml.skipCurrentElement();
        return;
    }
    const QString id = attribute(xml, QLatin1StringView("styleId")).toString();
    Style style;
    style.paragraph = type == u"paragraph";
    if (style.paragraph && isOnAttribute(xml, QLatin1StringView("default")))
        m_defaultParagraphStyle = id;
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

const DocxStyles::Style* DocxStyles::find(const QString& id, bool paragraph) const
{
    const auto found = m_styles.constFind(id);
    if (found != m_styles.cend() && found->paragraph == paragraph)
        return &*found;
    if (!paragraph)
        return nullptr;
    const auto fallback = m_styles.constFind(m_defaultParagraphStyle);
    return fallback == m_styles.cend() ? nullptr : &*fallback;
}

template <typename Properties, typename Member>
void DocxStyles::mergeChain(const Style* style, Properties& into, Member member) const
{
    QList<const Style*> chain;
    for (; style && chain.size() < MaxChain && !chain.contains(style);) {
        chain.append(style);
        const auto base = m_styles.constFind(style->basedOn);
        style = base == m_styles.cend() || base->paragraph != chain.first()->paragraph ? nullptr : &*base;
    }
    for (auto it = chain.crbegin(); it != chain.crend(); ++it)
        into.merge((*it)->*member);
}

DocxParagraphProperties DocxStyles::paragraphProperties(const QString& id) const
{
    if (const auto answered = m_paragraphAnswers.constFind(id); answered != m_paragraphAnswers.cend())
        return *answered;
    DocxParagraphProperties properties = m_defaultParagraph;
    mergeChain(find(id, true), properties, &Style::paragraphProperties);
    m_paragraphAnswers.insert(id, properties);
    return properties;
}

DocxRunProperties DocxStyles::runProperties(const QString& paragraphId, const QString& characterId) const
{
    // Runs after each other mostly ask the same.
    if (m_lastRunAnswer && m_lastRunAnswer->first.first == paragraphId &&
        m_lastRunAnswer->first.second == characterId)
        return m_lastRunAnswer->second;
    const QString key = paragraphId + u'\n' + characterId;
    if (const auto answered = m_runAnswers.constFind(key); answered != m_runAnswers.cend()) {
        m_lastRunAnswer.emplace(std::pair(paragraphId, characterId), *answered);
        return *answered;
    }
    DocxRunProperties properties = m_defaultRun;
    mergeChain(find(paragraphId, true), properties, &Style::runProperties);
    if (!characterId.isEmpty())
        mergeChain(find(characterId, false), properties, &Style::runProperties);
    m_runAnswers.insert(key, properties);
    m_lastRunAnswer.emplace(std::pair(paragraphId, characterId), properties);
    return properties;
}
