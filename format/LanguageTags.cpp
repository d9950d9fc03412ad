#include "format/LanguageTags.h"

#include <array>
#include <utility>

namespace {

// The languages a Czech user is likely to meet. A language's first region comes first: its
// tag alone stands for that one. "zxx" is text in no language, which is not to be proofed.
constexpr std::array<std::pair<int, const char*>, 29> Languages{{
    {1029, "cs-CZ"}, {1051, "sk-SK"}, {1033, "en-US"}, {2057, "en-GB"}, {3081, "en-AU"}, {4105, "en-CA"},
    {1031, "de-DE"}, {3079, "de-AT"}, {2055, "de-CH"}, {1045, "pl-PL"}, {1038, "hu-HU"}, {1036, "fr-FR"},
    {1040, "it-IT"}, {3082, "es-ES"}, {1034, "es-ES"}, {2070, "pt-PT"}, {1046, "pt-BR"}, {1043, "nl-NL"},
    {1049, "ru-RU"}, {1058, "uk-UA"}, {1060, "sl-SI"}, {1050, "hr-HR"}, {1053, "sv-SE"}, {1030, "da-DK"},
    {1044, "nb-NO"}, {1035, "fi-FI"}, {1032, "el-GR"}, {1055, "tr-TR"}, {1024, "zxx"},
}};

} // namespace

namespace LanguageTags {

QString tag(int languageId)
{
    for (const auto& [id, name] : Languages)
        if (id == languageId)
            return QString::fromLatin1(name);
    return {};
}

int languageId(QStringView tag)
{
    tag = tag.trimmed();
    if (tag.contains(u'_')) {
        QString dashed = tag.toString();
        return languageId(dashed.replace(u'_', u'-'));
    }
    if (tag.isEmpty())
        return 0;
    // Read for every run that names its language: compared in place, nothing allocated.
    for (const auto& [id, name] : Languages) {
        const QLatin1StringView known(name);
        if (known.compare(tag, Qt::CaseInsensitive) == 0 ||
            (known.size() > tag.size() && known.at(tag.size()) == u'-' &&
             known.startsWith(tag, Qt::CaseInsensitive)))
            return id;
    }
    // A region of a known language that the table does not list: the language's first region.
    const qsizetype region = tag.indexOf(u'-');
    return region > 0 ? languageId(tag.left(region)) : 0;
}

} // namespace LanguageTags
