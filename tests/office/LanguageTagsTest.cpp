// The language tags Word and OpenDocument files give, matched to the model's language ids.

#include "format/LanguageTags.h"

#include <gtest/gtest.h>

TEST(LanguageTagsTest, TagsMatchWhateverTheirCaseAndAnUnlistedRegionTakesItsLanguagesFirst)
{
    const std::pair<const char*, int> cases[] = {
        {"cs-CZ", 1029}, {"EN-us", 1033}, {" en-GB ", 2057}, {"en", 1033}, {"en-IE", 1033}, {"es-ES", 3082},
        {"de_AT", 3079}, {"zxx", 1024},   {"e", 0},          {"ja-JP", 0}, {"", 0},         {"xx-CZ", 0},
    };
    for (const auto& [tag, id] : cases)
        EXPECT_EQ(LanguageTags::languageId(QString::fromLatin1(tag)), id) << tag;
    EXPECT_EQ(LanguageTags::tag(1034), QStringLiteral("es-ES"));
    EXPECT_EQ(LanguageTags::tag(12345), QString());
}
