#include "tests/interop/CorpusWords.h"

#include <gtest/gtest.h>

namespace {

QStringList words(const char* utf8)
{
    return CorpusWords(QString::fromUtf8(utf8));
}

TEST(CorpusWordsTest, LayoutWhiteSpaceDoesNotCount)
{
    const QStringList expected{QStringLiteral("Příliš"), QStringLiteral("žluťoučký"), QStringLiteral("kůň")};
    EXPECT_EQ(words("Příliš žluťoučký kůň"), expected);
    EXPECT_EQ(words("\xEF\xBB\xBF  Příliš\r\n\tžluťoučký\xC2\xA0kůň\xE2\x80\xA8"), expected);
}

TEST(CorpusWordsTest, ListMarkersAndTableRulesAreDropped)
{
    EXPECT_EQ(words("• Chléb ◦ eidam 1. Úvod 12) Závěr a) první iv. B. 2.3. konec |---+---| (3)"),
              (QStringList{"Chléb", "eidam", "Úvod", "Závěr", "první", "konec"}));
    // The Symbol-font bullet of Word's lists sits in the private-use area.
    EXPECT_EQ(words("\xEF\x82\xB7 položka"), QStringList{"položka"});
}

TEST(CorpusWordsTest, WordsThatLookLikeMarkersInsideTextAreKept)
{
    // "o" is a Czech preposition, a number without a dot is a number, and a
    // check mark in a sentence is a word.
    EXPECT_EQ(words("mluvil o tom 1 234,50 Kč ✓ hotovo 8. 12. 2026"),
              (QStringList{"mluvil", "o", "tom", "1", "234,50", "Kč", "✓", "hotovo", "2026"}));
}

TEST(CorpusWordsTest, InvisibleCharactersVanishButAPictureCharacterCounts)
{
    EXPECT_EQ(words("vložený roz\xC2\xAD"
                    "dělený"),
              (QStringList{"vložený", "rozdělený"}));
    EXPECT_EQ(words("Obrázek: \xEF\xBF\xBC vložený"),
              (QStringList{"Obrázek:", QStringLiteral("\uFFFC"), "vložený"}));
    EXPECT_EQ(words("Obrázek:\xEF\xBF\xBC"), QStringList{QStringLiteral("Obrázek:\uFFFC")});
}

TEST(CorpusWordsTest, DecomposedLettersEqualComposedOnes)
{
    EXPECT_EQ(words("kůň"), words("ku\xCC\x8An\xCC\x8C"));
}

TEST(CorpusWordsTest, DifferenceNamesTheFirstWrongWordWithContext)
{
    const QStringList expected{"Praha", "Brno", "Ostrava", "Plzeň"};
    EXPECT_TRUE(FirstWordDifference(expected, expected).isEmpty());

    const QString garbled = FirstWordDifference(expected, {"Praha", "Brno", "Ostrava", "Plze?"});
    EXPECT_TRUE(garbled.startsWith(
        QStringLiteral("word 3: after “Praha Brno Ostrava” expected “Plzeň”, got “Plze?”")))
        << garbled.toStdString();

    const QString dropped = FirstWordDifference(expected, {"Praha", "Ostrava", "Plzeň"});
    EXPECT_TRUE(dropped.contains(QStringLiteral("expected “Brno Ostrava Plzeň”, got “Ostrava Plzeň”")))
        << dropped.toStdString();
    EXPECT_TRUE(dropped.endsWith(QStringLiteral("(4 words expected, 3 got)"))) << dropped.toStdString();

    const QString doubled = FirstWordDifference(expected, {"Praha", "Brno", "Ostrava", "Plzeň", "Plzeň"});
    EXPECT_TRUE(doubled.contains(QStringLiteral("expected “”, got “Plzeň”"))) << doubled.toStdString();
}

} // namespace
