// The red wavy line under misspelled words: under the words the dictionary
// does not know and no others, also when they are selected; checked again when
// a paragraph's text or formats change or the checker's words do; gone with
// the checker; never on a printed page.

#include "editcontrol/RichEditControl.h"
#include "format/TextFormatProperties.h"
#include "spelling/SpellChecker.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTextCursor>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

const QString Text = QStringLiteral("Příliš žluťoučký kůň přílyš úpěl ďábelské ódy.\n"
                                    "Druhý odstavec má slovo přílyš také.");

bool isMarkRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

class SpellingMarksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(checker.hasCzechDictionary()) << "the hunspell-cs dictionary is not installed";
        checker.waitUntilLoaded();
        control.resize(640, 240);
        control.show();
        control.SetText(Text);
        control.setSpellChecker(&checker);
    }

    // The red pixels in the lower half of the line of `word`'s n-th
    // occurrence and just below it, across the word.
    int redUnder(const QString& word, int occurrence = 0)
    {
        int start = -1;
        for (int i = 0; i <= occurrence; ++i)
            start = int(control.document()->toPlainText().indexOf(word, start + 1));
        EXPECT_GE(start, 0) << word.toStdString();
        QApplication::processEvents();
        const QImage shot = control.viewport()->grab().toImage();
        QTextCursor at(control.document());
        at.setPosition(start);
        const QRect first = control.cursorRect(at);
        at.setPosition(start + int(word.size()));
        const QRect last = control.cursorRect(at);
        int red = 0;
        for (int y = first.center().y(); y <= first.bottom() + 2; ++y)
            for (int x = first.left(); x < last.left(); ++x)
                red += isMarkRed(shot.pixel(x, y));
        return red;
    }

    SpellChecker checker;
    RichEditControl control{RichEditStyle{}};
};

TEST_F(SpellingMarksTest, OnlyMisspelledWordsAreUnderlinedAlsoWhenSelectedOrFormatted)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return redUnder(QStringLiteral("přílyš")) > 10; }, 20000));
    EXPECT_GT(redUnder(QStringLiteral("přílyš"), 1), 10);
    for (const char* right : {"Příliš", "žluťoučký", "kůň", "úpěl", "ďábelské", "Druhý", "odstavec", "také"})
        EXPECT_EQ(redUnder(QString::fromUtf8(right)), 0) << right;

    // Bold and blue, and then selected, the word keeps its line.
    QTextCursor word(control.document());
    word.setPosition(int(Text.indexOf(QStringLiteral("přílyš"))));
    word.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(Qt::blue);
    word.mergeCharFormat(bold);
    control.SetSel(0, -1);
    EXPECT_GT(redUnder(QStringLiteral("přílyš")), 10);
}

TEST_F(SpellingMarksTest, MarksFollowTypingFormatsTheCheckersWordsAndTheCheckerItself)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return redUnder(QStringLiteral("přílyš")) > 10; }, 20000));

    // Typing mends the first paragraph's word; the second paragraph keeps its line.
    control.setFocus();
    control.SetSel(int(Text.indexOf(QStringLiteral("yš"))), int(Text.indexOf(QStringLiteral("yš"))) + 1);
    QTest::keyClicks(&control, QStringLiteral("i"));
    ASSERT_TRUE(control.document()->toPlainText().startsWith(QStringLiteral("Příliš žluťoučký kůň příliš")));
    EXPECT_EQ(redUnder(QStringLiteral("příliš")), 0);
    EXPECT_GT(redUnder(QStringLiteral("přílyš")), 10);

    // A format alone (text not to be proofed) changes what is marked.
    QTextCursor second(control.document()->lastBlock());
    second.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat noProof;
    TextFormatProperties::setCharNoProof(noProof, true);
    second.mergeCharFormat(noProof);
    EXPECT_EQ(redUnder(QStringLiteral("přílyš")), 0);
    control.Undo();
    EXPECT_GT(redUnder(QStringLiteral("přílyš")), 10);

    // The checker's words change everywhere at once.
    checker.ignoreAll(QStringLiteral("přílyš"));
    EXPECT_EQ(redUnder(QStringLiteral("přílyš")), 0);
    control.SetText(Text);
    EXPECT_EQ(redUnder(QStringLiteral("přílyš")), 0);

    SpellChecker other;
    other.waitUntilLoaded();
    control.setSpellChecker(&other);
    EXPECT_GT(redUnder(QStringLiteral("přílyš")), 10);
    control.setSpellChecker(nullptr);
    EXPECT_EQ(redUnder(QStringLiteral("přílyš")), 0);
}

TEST_F(SpellingMarksTest, WordsInTableCellsAreUnderlinedToo)
{
    QTextCursor end(control.document());
    end.movePosition(QTextCursor::End);
    QTextTable* table = end.insertTable(1, 2);
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("kůň zase přílyš"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return redUnder(QStringLiteral("přílyš"), 2) > 10; }, 20000));
    EXPECT_EQ(redUnder(QStringLiteral("zase")), 0);
}

TEST_F(SpellingMarksTest, PrintedPagesCarryNoMarks)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return redUnder(QStringLiteral("přílyš")) > 10; }, 20000));
    QImage paper(4 * 96, 2 * 96, QImage::Format_RGB32);
    paper.setDotsPerMeterX(qRound(96 / 0.0254));
    paper.setDotsPerMeterY(qRound(96 / 0.0254));
    paper.fill(Qt::white);
    QPainter painter(&paper);
    FORMATRANGE range;
    range.hdc = &painter;
    range.rc = RECT{0, 0, 4 * 1440, 2 * 1440};
    range.rcPage = range.rc;
    range.chrg = CHARRANGE{0, EndOfText};
    control.FormatRange(true, &range);
    painter.end();
    int ink = 0;
    int red = 0;
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x) {
            ink += paper.pixel(x, y) != qRgb(255, 255, 255);
            red += isMarkRed(paper.pixel(x, y));
        }
    EXPECT_GT(ink, 100);
    EXPECT_EQ(red, 0);
}

} // namespace
