#pragma once

// Languages of the text as documents name them: Windows language ids (the N of RTF's \langN).

#include <QString>

namespace SpellingLanguages {

inline constexpr int Czech = 1029;
// Text marked as in no language, which documents use for text not to be proofed.
inline constexpr int NoLanguage = 1024;

// The Hunspell dictionary name of a language ("cs_CZ" for 1029); empty for one we know no
// dictionary name of.
QString dictionaryName(int languageId);

} // namespace SpellingLanguages
