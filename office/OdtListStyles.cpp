#include "office/OdtListStyles.h"

#include "office/OdtProperties.h"
#include "office/OfficeXml.h"

#include "office/XmlPartReader.h"

#include <algorithm>

using namespace OfficeXml;

namespace {

int numberingOf(QStringView format)
{
    if (format.isEmpty())
        return 0;
    if (format == u"a")
        return PFN_LCLETTER;
    if (format == u"A")
        return PFN_UCLETTER;
    if (format == u"i")
        return PFN_LCROMAN;
    if (format == u"I")
        return PFN_UCROMAN;
    // Arabic numbers and the kinds the editor does not draw (other scripts).
    return PFN_ARABIC;
}

int styleOf(QStringView prefix, QStringView suffix)
{
    if (suffix == u")")
        return prefix == u"(" ? PFNS_PARENS : PFNS_PAREN;
    if (suffix.isEmpty() && prefix.isEmpty())
        return PFNS_PLAIN;
    return PFNS_PERIOD;
}

// The indents of a level: where its label stands and where its text does.
void readIndents(XmlPartReader& xml, DocxParagraphProperties& indents)
{
    const auto length = [&](const char* name) {
        return OdtLength::twips(attribute(xml, QLatin1StringView(name)));
    };
    if (attribute(xml, QLatin1StringView("list-level-position-and-space-mode")) != u"label-alignment") {
        // The older way: the label's start and its least width, the text after both.
        const int before = length("space-before").value_or(0);
        const int width = length("min-label-width").value_or(0);
        indents.left = before + width;
        indents.firstLine = -width;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"list-level-label-alignment") {
            indents.left = length("margin-left").value_or(0);
            indents.firstLine = length("text-indent").value_or(0);
        }
        xml.skipCurrentElement();
    }
}

} // namespace

void OdtListStyles::read(XmlPartReader& xml, bool automatic)
{
    Levels& levels =
        (automatic ? m_automatic : m_common)[attribute(xml, QLatin1StringView("name")).toString()];
    while (xml.readNextStartElement()) {
        const QStringView kind = xml.name();
        const int index = attribute(xml, QLatin1StringView("level")).toInt() - 1;
        if (index < 0 || index >= LevelCount ||
            (kind != u"list-level-style-number" && kind != u"list-level-style-bullet" &&
             kind != u"list-level-style-image")) {
            xml.skipCurrentElement();
            continue;
        }
        Level level;
        if (kind == u"list-level-style-number") {
            const QStringView prefix = attribute(xml, QLatin1StringView("num-prefix"));
            const QStringView suffix = attribute(xml, QLatin1StringView("num-suffix"));
            level.numbering = numberingOf(attribute(xml, QLatin1StringView("num-format")));
            level.start = attribute(xml, QLatin1StringView("start-value")).toInt();
            level.start = level.start > 0 ? level.start : 1;
            level.style = styleOf(prefix, suffix);
            // The label shows the numbers of as many levels as it says, down to its own.
            const int shown =
                std::clamp(attribute(xml, QLatin1StringView("display-levels")).toInt(), 1, index + 1);
            level.levelText = prefix.toString();
            for (int number = index + 1 - shown; number <= index; ++number) {
                if (number > index + 1 - shown)
                    level.levelText += u'.';
                level.levelText += QChar(char16_t(std::min(number, 8)));
            }
            level.levelText += suffix;
        } else {
            level.numbering = PFN_BULLET;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() == u"list-level-properties")
                readIndents(xml, level.indents);
            else
                xml.skipCurrentElement();
        }
        levels[index] = level;
    }
}

std::optional<OdtListStyles::Level> OdtListStyles::level(const QString& name, int level) const
{
    if (level < 0 || level >= LevelCount)
        return std::nullopt;
    for (const QHash<QString, Levels>* styles : {&m_automatic, &m_common})
        if (const auto found = styles->constFind(name); found != styles->cend())
            return found->at(level);
    return std::nullopt;
}
