#include "spelling/SpellingLanguages.h"

#include "format/LanguageTags.h"

namespace SpellingLanguages {

QString dictionaryName(int languageId)
{
    // The distributions' hunspell-* packages name their dictionaries by the language's tag.
    if (languageId == NoLanguage)
        return {};
    return LanguageTags::tag(languageId).replace(u'-', u'_');
}

} // namespace SpellingLanguages
