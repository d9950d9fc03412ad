// The status bar's panels, when they are refreshed, and the two timers.

#include "tests/app/MainformFixture.h"

#include "app/TStatusBar.h"
#include "editcontrol/RichEditControl.h"
#include "editcontrol/RichEditLayout.h"
#include "platform/TTimer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <random>

namespace {

class MainformStatusBarTest : public MainformFixture
{
protected:
    TMainform& shownForm()
    {
        TMainform& window = createForm();
        window.show();
        window.editor->setFocus();
        return window;
    }
    QString panel(int index) const { return form->StatusBar1->panelText(index); }
    // Whether panels 1 to 3 come to show the caret, the characters and the
    // words given, once the events waiting have been handled.
    ::testing::AssertionResult panelsShow(const char* caret, int characters, int words) const
    {
        const QStringList expected = {QString::fromLatin1(caret),
                                      QStringLiteral("Celkem zn.=%1").arg(characters),
                                      QStringLiteral("Počet slov = %1").arg(words)};
        const auto shown = [this] { return QStringList{panel(1), panel(2), panel(3)}; };
        if (QTest::qWaitFor([&] { return shown() == expected; }, 5000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << shown().join(u'|').toStdString() << " instead of " << expected.join(u'|').toStdString();
    }
    RichEditControl* control() const { return form->editor->control(); }

    // The word count by the rule, line by line through Lines, as a check on
    // the count kept per paragraph.
    int wordsByLines() const
    {
        int words = 0;
        for (int line = 0; line < form->editor->Lines().Count(); ++line) {
            QStringView text = form->editor->Lines().Get(line);
            while (!text.isEmpty() && text.front().unicode() <= 32)
                text = text.mid(1);
            while (!text.isEmpty() && text.back().unicode() <= 32)
                text.chop(1);
            // A word starts at every non-blank after a blank or at the start.
            for (qsizetype at = 0; at < text.size(); ++at)
                words += text[at] != u' ' && (at == 0 || text[at - 1] == u' ');
        }
        return words;
    }
};

} // namespace

TEST_F(MainformStatusBarTest, CaretPositionCountsLaidOutLinesAndColumnsFromZero)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("ab\r\ncd"));
    for (const auto& [position, expected] :
         {std::pair{0, "0:0"}, std::pair{3, "1:0"}, std::pair{4, "1:1"}, std::pair{5, "1:2"}}) {
        window.editor->SelectRange(position, position, false);
        window.ShowCaretPosition();
        EXPECT_EQ(panel(1), QString::fromLatin1(expected)) << "position " << position;
    }
}

TEST_F(MainformStatusBarTest, WordsAreRunsOfNonBlanksWithinOneLine)
{
    TMainform& window = shownForm();
    const struct
    {
        const char* text;
        int words;
    } rows[] = {
        {"", 0},
        {"   ", 0},
        {"  slovo slovo\tslovo  ", 2}, // a tab belongs to its word
        {"dvě  slova", 2},
        {"\t\tjedno\t", 1},       // codes up to 32 are trimmed at both ends
        {"a\r\nb c\r\n\r\nd", 4}, // each line ends a word
        {"a\xe2\x80\xa8"
         "b",
         2},                               // a soft line break ends the line too
        {"nezlomitelná\xc2\xa0mezera", 1}, // only the blank separates
    };
    for (const auto& row : rows) {
        window.editor->setText(QString::fromUtf8(row.text));
        window.ShowWordCount();
        EXPECT_EQ(panel(3), QStringLiteral("Počet slov = %1").arg(row.words)) << row.text;
    }
}

TEST_F(MainformStatusBarTest, AWordWrappedAcrossLinesCountsOncePerLine)
{
    TMainform& window = shownForm();
    window.editor->setText(QString(400, u'x'));
    ASSERT_GT(control()->GetLineCount(), 1);
    window.ShowWordCount();
    EXPECT_EQ(panel(3), QStringLiteral("Počet slov = %1").arg(control()->GetLineCount()));
}

// Counting never waits for the layout of a long document: a paragraph not laid
// out yet counts as one line until the layout has measured everything.
TEST_F(MainformStatusBarTest, ALongDocumentIsCountedAsFarAsItIsLaidOutAndAgainWhenMeasured)
{
    TMainform& window = shownForm();
    window.editor->setText(QStringList(3000, QString(400, u'x')).join(QStringLiteral("\r\n")));
    const auto* layout = static_cast<const RichEditLayout*>(control()->document()->documentLayout());
    ASSERT_FALSE(layout->isComplete());
    window.ShowWordCount();
    const int early = panel(3).section(u'=', 1).trimmed().toInt();
    EXPECT_GE(early, 3000);
    while (!layout->isComplete())
        QApplication::processEvents();
    QApplication::processEvents(); // the queued refresh
    EXPECT_GT(control()->GetLineCount(), early);
    EXPECT_EQ(panel(3), QStringLiteral("Počet slov = %1").arg(control()->GetLineCount()));
}

TEST_F(MainformStatusBarTest, CharacterCountIsTheLengthOfTextWithItsLineBreaks)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("ab\r\ncd\r\n"));
    QTextCursor cursor(control()->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertTable(2, 2); // table cells are paragraphs of their own
    cursor.insertText(QStringLiteral("xy"));
    window.ShowCharCount();
    EXPECT_EQ(panel(2), QStringLiteral("Celkem zn.=%1").arg(window.editor->Text().size()));
    window.editor->setText(QString());
    window.ShowCharCount();
    EXPECT_EQ(panel(2), QStringLiteral("Celkem zn.=0"));
}

// The panels show the text and the caret as they are once each key, click or
// command has been handled, arrows and Delete included.
TEST_F(MainformStatusBarTest, PanelsShowTheStateAfterEveryKeyClickAndNew)
{
    TMainform& window = createActiveForm();
    QTest::keyClicks(control(), QStringLiteral("ab c"));
    EXPECT_TRUE(panelsShow("0:4", 4, 2));
    QTest::keyClick(control(), Qt::Key_Left);
    EXPECT_TRUE(panelsShow("0:3", 4, 2));
    QTest::keyClick(control(), Qt::Key_Return); // a paragraph break counts as CR LF
    EXPECT_TRUE(panelsShow("1:0", 6, 2));
    QTest::keyClick(control(), Qt::Key_Up);
    QTest::keyClick(control(), Qt::Key_End);
    EXPECT_TRUE(panelsShow("0:3", 6, 2));
    QTest::keyClick(control(), Qt::Key_Delete); // the caret stays, the paragraphs join
    EXPECT_TRUE(panelsShow("0:3", 4, 2));
    QTest::mouseClick(control()->viewport(), Qt::LeftButton, {},
                      control()->cursorRect(QTextCursor(control()->document())).center());
    EXPECT_TRUE(panelsShow("0:0", 4, 2));
    QTest::keyClick(control(), Qt::Key_End);
    desktop.queueMessageBoxAnswer(IDNO); // "Uložit změny?"
    QTest::keyClick(control(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(window.editor->Text().isEmpty());
    EXPECT_TRUE(panelsShow("0:0", 0, 0));
}

TEST_F(MainformStatusBarTest, KeptWordCountFollowsEveryKindOfEdit)
{
    TMainform& window = shownForm();
    QString text;
    for (int paragraph = 0; paragraph < 60; ++paragraph)
        text += QStringLiteral("odstavec %1 má  několik slov, \tmezery a čárky\r\n").arg(paragraph);
    window.editor->setText(text);
    window.ShowWordCount();
    std::mt19937 random(11);
    QTextDocument* document = control()->document();
    for (int round = 0; round < 80; ++round) {
        QTextCursor cursor(document);
        const int length = document->characterCount() - 1;
        cursor.setPosition(int(random() % std::uint32_t(length + 1)));
        switch (round % 6) {
        case 0:
            cursor.insertText(QStringLiteral(" nové slovo "));
            break;
        case 1:
            cursor.insertBlock();
            break;
        case 2: // a removal that joins paragraphs
            cursor.setPosition(std::min(length, cursor.position() + int(random() % 120)),
                               QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            break;
        case 3:
            document->undo();
            break;
        case 4:
            cursor.insertText(QString(300, u'w'));
            break; // wraps onto several lines
        case 5:
            if (round % 4 == 1) // another width rewraps every paragraph
                window.resize(window.width() - 40, window.height());
            break;
        }
        window.ShowWordCount();
        ASSERT_EQ(panel(3), QStringLiteral("Počet slov = %1").arg(wordsByLines())) << "round " << round;
    }
}

TEST_F(MainformStatusBarTest, ModifiedFlagAndClockFollowTheTimer)
{
    TMainform& window = createForm();
    window.Timer1Timer(window.Timer1);
    EXPECT_EQ(panel(4), QString());
    EXPECT_TRUE(panel(5).endsWith(QStringLiteral("        ")));
    EXPECT_TRUE(QTime::fromString(panel(5).trimmed(), LongTimeFormat(QLocale())).isValid())
        << panel(5).toStdString();
    window.editor->setText(QStringLiteral("změna"));
    window.editor->setIsModified(true);
    window.Timer1Timer(window.Timer1);
    EXPECT_EQ(panel(4), QStringLiteral("Změněno"));
}

TEST_F(MainformStatusBarTest, AutosaveWritesANamedDocumentAtEveryTickAndLeavesAnUnnamedOne)
{
    using std::chrono::milliseconds;
    TTimer::ManualTime time;
    TMainform& window = createForm();
    window.Timer2->setInterval(20);
    window.Timer2->setEnabled(true);
    time.advance(milliseconds(80));
    EXPECT_TRUE(desktop.callsOf(ScriptedDesktop::CallKind::MessageBeep).empty());

    const QString path = programPath(QStringLiteral("dopis.txt"));
    window.CurrentFileName = path;
    window.editor->setText(QStringLiteral("obsah"));
    time.advance(milliseconds(19));
    EXPECT_FALSE(QFile::exists(path)) << "not before the next tick";
    time.advance(milliseconds(1));
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(documentTextOf(path), QStringLiteral("obsah"));
    EXPECT_FALSE(window.editor->IsModified());
    // Unchanged, the document is written again at the next tick, with a beep.
    const int beeps = int(desktop.callsOf(ScriptedDesktop::CallKind::MessageBeep).size());
    QFile::remove(path);
    time.advance(milliseconds(20));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(int(desktop.callsOf(ScriptedDesktop::CallKind::MessageBeep).size()), beeps + 1);
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::MessageBeep).front().flags, 0u);
}

TEST_F(MainformStatusBarTest, AutosaveLeavesADocumentThatFailedToLoad)
{
    // A folder cannot be read as a document; the window opens unnamed.
    const QString path = programPath(QStringLiteral("složka.rtf"));
    ASSERT_TRUE(QDir().mkpath(path));
    TMainform& window = createForm({path});
    desktop.clear();
    window.Timer2Timer(window.Timer2);
    EXPECT_TRUE(desktop.calls().empty());
    EXPECT_TRUE(QFileInfo(path).isDir());
}
