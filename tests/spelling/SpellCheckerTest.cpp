#include "spelling/SpellChecker.h"

#include "format/TextFormatProperties.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

struct TextRun
{
    QString text;
    int language = 0; // 0: the default
    bool noProof = false;
    bool raised = false;
};

class SpellCheckerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(checker.hasCzechDictionary())
            << "no Czech dictionary: install hunspell-cs (scripts/install-deps.sh)";
        checker.waitUntilLoaded();
    }

    // The misspelled words of a paragraph made of `runs`, as text.
    QStringList misspelled(const QList<TextRun>& runs, SpellChecker& by)
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        for (const TextRun& run : runs) {
            QTextCharFormat format;
            TextFormatProperties::setCharLanguage(format, run.language);
            TextFormatProperties::setCharNoProof(format, run.noProof);
            if (run.raised)
                format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            cursor.insertText(run.text, format);
        }
        by.waitUntilLoaded(); // the paragraph's other languages load as it asks for them
        by.misspelledWords(document.firstBlock());
        by.waitUntilLoaded();
        const QString text = document.firstBlock().text();
        QStringList words;
        for (const MisspelledWord& word : by.misspelledWords(document.firstBlock()))
            words.append(text.mid(word.start, word.length));
        return words;
    }
    QStringList misspelled(const QString& text) { return misspelled({{text}}, checker); }

    QString listPath() const { return folder.filePath(QStringLiteral("slovnik.txt")); }

    SpellChecker checker;
    QTemporaryDir folder;
};

TEST_F(SpellCheckerTest, FindsTheMisspelledWordsOfACzechParagraphAtTheirPositions)
{
    EXPECT_EQ(misspelled(QStringLiteral("Dnes je krásný den a žluťoučký kůň úpěl ďábelské ódy.")),
              QStringList());
    EXPECT_EQ(misspelled(QStringLiteral("Je tu přílyš mnoho chib, Pavle.")),
              QStringList({QStringLiteral("přílyš"), QStringLiteral("chib")}));

    QTextDocument document(QStringLiteral("„Přílyš“ dlouhé"));
    const QList<MisspelledWord> words = checker.misspelledWords(document.firstBlock());
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words.at(0), (MisspelledWord{1, 6, 1029}));
}

TEST_F(SpellCheckerTest, SkipsNumbersWordsWithDigitsLinksAndEmailAddresses)
{
    EXPECT_EQ(misspelled(QStringLiteral("Stran 12 a 3,5 kg, formát A4, soubor mp3 a 5x, viz "
                                        "http://www.prilys.cz/stranka?id=chib, www.nesmisl.cz nebo "
                                        "jan.nesmisl@seznam.cz, a přílyš.")),
              QStringList({QStringLiteral("přílyš")}));
}

TEST_F(SpellCheckerTest, AWordIsCheckedWithoutTheRaisedNoteMarkAfterIt)
{
    EXPECT_EQ(
        misspelled(
            {{QStringLiteral("přílyš")}, {QStringLiteral("12"), 0, false, true}, {QStringLiteral(" chib")}},
            checker),
        QStringList({QStringLiteral("přílyš"), QStringLiteral("chib")}));
}

TEST_F(SpellCheckerTest, AcceptsAnAbbreviationOnlyWithItsFullStop)
{
    EXPECT_EQ(misspelled(QStringLiteral("Ing. Novák bydlí v č. 5 atd.")), QStringList());
    EXPECT_EQ(misspelled(QStringLiteral("Ing Novák bydlí v č 5 atd")),
              QStringList({QStringLiteral("Ing"), QStringLiteral("č"), QStringLiteral("atd")}));
}

TEST_F(SpellCheckerTest, ChecksEachRunInItsOwnLanguageAndSkipsTextNotToBeProofed)
{
    // German has no dictionary here, so its text is checked as Czech; no-proof text not at all.
    EXPECT_EQ(misspelled({{QStringLiteral("dům přílyš "), 1031}, {QStringLiteral("chib"), 0, true}}, checker),
              QStringList({QStringLiteral("přílyš")}));
    SpellChecker onlyCzech({QStringLiteral("/usr/share/hunspell")});
    if (!QFile::exists(QStringLiteral("/usr/share/hunspell/en_US.dic")))
        GTEST_SKIP() << "no en_US dictionary (hunspell-en-us) installed";
    EXPECT_EQ(misspelled({{QStringLiteral("The house is big, přílyš. "), 1033}, {QStringLiteral("The dům")}},
                         onlyCzech),
              QStringList({QStringLiteral("přílyš"), QStringLiteral("The")}));
}

TEST_F(SpellCheckerTest, SuggestsTheRightWordAmongAtMostFive)
{
    const QStringList suggestions = checker.suggestions(QStringLiteral("přílyš"), 1029);
    EXPECT_TRUE(suggestions.contains(QStringLiteral("příliš"))) << suggestions.join(u' ').toStdString();
    EXPECT_LE(suggestions.size(), 5);
}

TEST_F(SpellCheckerTest, ReportsWordsOnlyOnceTheDictionaryHasLoadedAndSaysWhenItHas)
{
    // A copy of the dictionary is one this process has not read yet.
    QTemporaryDir copy;
    for (const QString& file : {QStringLiteral("cs_CZ.aff"), QStringLiteral("cs_CZ.dic")})
        ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/hunspell/") + file, copy.filePath(file)));
    SpellChecker fresh({copy.path()});
    QSignalSpy changed(&fresh, &SpellChecker::wordsChanged);
    const quint64 before = fresh.generation();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() > 0; }, 30000));
    EXPECT_GT(fresh.generation(), before);
    QTextDocument document(QStringLiteral("přílyš"));
    EXPECT_EQ(fresh.misspelledWords(document.firstBlock()).size(), 1);

    // Another checker (another window) finds it read, without waiting.
    SpellChecker second({copy.path()});
    EXPECT_EQ(second.misspelledWords(document.firstBlock()).size(), 1);
}

TEST_F(SpellCheckerTest, PersonalWordsAreKeptInTheFileForTheNextSession)
{
    checker.setPersonalWordList(listPath());
    QSignalSpy changed(&checker, &SpellChecker::wordsChanged);
    const quint64 before = checker.generation();
    EXPECT_TRUE(checker.addToPersonalList(QStringLiteral("Zorvanek")));
    EXPECT_GT(checker.generation(), before);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(misspelled(QStringLiteral("Zorvanek a ZORVANEK, ne zorvanek")),
              QStringList({QStringLiteral("zorvanek")}));

    SpellChecker next;
    next.setPersonalWordList(listPath());
    EXPECT_EQ(misspelled({{QStringLiteral("Zorvanek přílyš")}}, next),
              QStringList({QStringLiteral("přílyš")}));
}

TEST_F(SpellCheckerTest, AGarbageListKeepsItsWordsAndTakesNewOnes)
{
    QFile file(listPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x00\xff\xfe\x81 junk\x01\n", 11) + "Zorvanek\n\xc3\x28\x80\n" +
               QByteArray(5000, 'x'));
    file.close();
    checker.setPersonalWordList(listPath());
    EXPECT_TRUE(checker.addToPersonalList(QStringLiteral("Kvetoslavek")));
    EXPECT_EQ(misspelled(QStringLiteral("Zorvanek Kvetoslavek přílyš")),
              QStringList({QStringLiteral("přílyš")}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Zorvanek\nKvetoslavek\n"));
}

TEST_F(SpellCheckerTest, AnUnreadableListDoesNotStopWordsBeingAdded)
{
    QFile file(listPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Zorvanek\n");
    file.close();
    file.setPermissions({});
    if (file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "the file stays readable (running as root)";
    checker.setPersonalWordList(listPath());
    EXPECT_TRUE(checker.addToPersonalList(QStringLiteral("Kvetoslavek")));

    SpellChecker next;
    next.setPersonalWordList(listPath());
    EXPECT_EQ(misspelled({{QStringLiteral("Zorvanek Kvetoslavek")}}, next), QStringList());
}

TEST_F(SpellCheckerTest, IgnoredWordsAreAcceptedForThisSessionOnly)
{
    const quint64 before = checker.generation();
    checker.ignoreAll(QStringLiteral("chib"));
    EXPECT_GT(checker.generation(), before);
    EXPECT_EQ(misspelled(QStringLiteral("chib přílyš")), QStringList({QStringLiteral("přílyš")}));
    SpellChecker next;
    EXPECT_EQ(misspelled({{QStringLiteral("chib")}}, next), QStringList({QStringLiteral("chib")}));
}

TEST(SpellCheckerWithoutDictionaries, ReportsNoWordsAndNoSuggestions)
{
    QTemporaryDir empty;
    SpellChecker checker({empty.path()});
    checker.waitUntilLoaded();
    QTextDocument document(QStringLiteral("přílyš"));
    EXPECT_FALSE(checker.hasCzechDictionary());
    EXPECT_TRUE(checker.misspelledWords(document.firstBlock()).isEmpty());
    EXPECT_TRUE(checker.suggestions(QStringLiteral("přílyš"), 1029).isEmpty());
}

} // namespace
