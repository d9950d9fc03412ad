#include "office/DocxNumbering.h"

#include "office/OfficeXml.h"

#include "office/XmlPartReader.h"

using namespace OfficeXml;

namespace {

int numberingOf(QStringView format)
{
    if (format == u"bullet")
        return PFN_BULLET;
    if (format == u"lowerLetter")
        return PFN_LCLETTER;
    if (format == u"upperLetter")
        return PFN_UCLETTER;
    if (format == u"lowerRoman")
        return PFN_LCROMAN;
    if (format == u"upperRoman")
        return PFN_UCROMAN;
    if (format == u"none")
        return 0;
    // Decimal and the kinds the editor does not draw (ordinal words, other scripts).
    return PFN_ARABIC;
}

// "%1." becomes "\x00.": each placeholder the character of its level's number.
QString levelTextOf(QStringView text)
{
    QString result;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text.at(index);
        if (character == u'%' && index + 1 < text.size() && text.at(index + 1) >= u'1' &&
            text.at(index + 1) <= u'9') {
            result += QChar(text.at(index + 1).unicode() - u'1');
            ++index;
        } else {
            result += character;
        }
    }
    return result;
}

// The numbering style whose label the text of a level's own number gives, if any does.
int styleOf(const QString& levelText, int level)
{
    const QString number{QChar(char16_t(level))};
    if (levelText == number + u'.')
        return PFNS_PERIOD;
    if (levelText == number + u')')
        return PFNS_PAREN;
    if (levelText == u'(' + number + u')')
        return PFNS_PARENS;
    if (levelText == number)
        return PFNS_PLAIN;
    return PFNS_PERIOD;
}

} // namespace

bool DocxNumbering::read(const QByteArray& part)
{
    XmlPartReader xml(part);
    if (enterRoot(xml)) {
        while (xml.readNextStartElement()) {
            const auto id = number(xml, xml.name() == u"num" ? QLatin1StringView("numId")
                                                             : QLatin1StringView("abstractNumId"));
            if (xml.name() == u"abstractNum" && id) {
                Levels& levels = m_abstracts[*id];
                while (xml.readNextStartElement()) {
                    if (xml.name() == u"lvl")
                        readLevel(xml, levels);
                    else
                        xml.skipCurrentElement();
                }
            } else if (xml.name() == u"num" && id) {
                Instance& instance = m_instances[*id];
                while (xml.readNextStartElement()) {
                    if (xml.name() == u"abstractNumId") {
                        instance.abstractId = number(xml, QLatin1StringView("val")).value_or(-1);
                        xml.skipCurrentElement();
                        continue;
                    }
                    if (xml.name() != u"lvlOverride") {
                        xml.skipCurrentElement();
                        continue;
                    }
                    const int level = number(xml, QLatin1StringView("ilvl")).value_or(-1);
                    while (xml.readNextStartElement()) {
                        if (xml.name() == u"startOverride" && level >= 0 && level < LevelCount) {
                            instance.starts.insert(level, number(xml, QLatin1StringView("val")).value_or(1));
                            xml.skipCurrentElement();
                        } else if (xml.name() == u"lvl") {
                            Levels levels;
                            const int read = readLevel(xml, levels);
                            if (read >= 0)
                                instance.levels.insert(read, levels.at(read));
                        } else {
                            xml.skipCurrentElement();
                        }
                    }
                }
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError()) {
        m_error = QStringLiteral("numbering: %1").arg(xml.errorString());
        return false;
    }
    return true;
}

int DocxNumbering::readLevel(XmlPartReader& xml, Levels& levels)
{
    const int index = number(xml, QLatin1StringView("ilvl")).value_or(-1);
    Level level;
    level.defined = true;
    bool hasText = false;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"start") {
            level.start = number(xml, QLatin1StringView("val")).value_or(1);
        } else if (name == u"numFmt") {
            level.numbering = numberingOf(attribute(xml, QLatin1StringView("val")));
        } else if (name == u"lvlText") {
            level.levelText = levelTextOf(attribute(xml, QLatin1StringView("val")));
            hasText = true;
        } else if (name == u"isLgl") {
            level.legal = isOn(xml);
        } else if (name == u"pPr") {
            level.paragraphProperties.read(xml);
            continue;
        }
        xml.skipCurrentElement();
    }
    if (index < 0 || index >= LevelCount)
        return -1;
    if (!hasText)
        level.levelText = QString(QChar(char16_t(index))) + u'.';
    level.style = styleOf(level.levelText, index);
    levels[index] = level;
    return index;
}

std::optional<DocxNumbering::Level> DocxNumbering::level(int id, int level) const
{
    if (level < 0 || level >= LevelCount)
        return std::nullopt;
    const auto instance = m_instances.constFind(id);
    if (instance == m_instances.cend())
        return std::nullopt;
    Level result;
    if (const auto own = instance->levels.constFind(level); own != instance->levels.cend()) {
        result = *own;
    } else {
        const auto abstract = m_abstracts.constFind(instance->abstractId);
        if (abstract == m_abstracts.cend() || !abstract->at(level).defined)
            return std::nullopt;
        result = abstract->at(level);
    }
    result.start = instance->starts.value(level, result.start);
    return result;
}
