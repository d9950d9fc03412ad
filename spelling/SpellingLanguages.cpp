#include "spelling/SpellingLanguages.h"

#include <QHash>

namespace SpellingLanguages {

QString dictionaryName(int languageId)
{
    // The languages a Czech user is likely to meet, with the dictionary names the
    // distributions' hunspell-* packages install.
    static const QHash<int, QString> names = {
        {1029, QStringLiteral("cs_CZ")}, {1051, QStringLiteral("sk_SK")}, {1033, QStringLiteral("en_US")},
        {2057, QStringLiteral("en_GB")}, {3081, QStringLiteral("en_AU")}, {4105, QStringLiteral("en_CA")},
        {1031, QStringLiteral("de_DE")}, {3079, QStringLiteral("de_AT")}, {2055, QStringLiteral("de_CH")},
        {1045, QStringLiteral("pl_PL")}, {1038, QStringLiteral("hu_HU")}, {1036, QStringLiteral("fr_FR")},
        {1040, QStringLiteral("it_IT")}, {3082, QStringLiteral("es_ES")}, {1034, QStringLiteral("es_ES")},
        {2070, QStringLiteral("pt_PT")}, {1046, QStringLiteral("pt_BR")}, {1043, QStringLiteral("nl_NL")},
        {1049, QStringLiteral("ru_RU")}, {1058, QStringLiteral("uk_UA")}, {1060, QStringLiteral("sl_SI")},
        {1050, QStringLiteral("hr_HR")}, {1053, QStringLiteral("sv_SE")}, {1030, QStringLiteral("da_DK")},
        {1044, QStringLiteral("nb_NO")}, {1035, QStringLiteral("fi_FI")}, {1032, QStringLiteral("el_GR")},
    };
    return names.value(languageId);
}

} // namespace SpellingLanguages
