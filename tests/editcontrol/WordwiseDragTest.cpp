// Dragging with the left button in the rich edit control: with automatic word
// selection on, a drag that leaves the word where it started selects whole
// words; Shift and the option turned off keep the selection character-wise.

#include "editcontrol/RichEditControl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace {

class WordwiseDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        control.resize(400, 200);
        control.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
        //                                 0    5    10   15   20   25
        control.SetText(QStringLiteral("jedna dva tři čtyři\npět šest"));
    }

    // The point of the viewport where the caret stands before `position`.
    QPoint pointOf(int position) const
    {
        QTextCursor cursor(control.document());
        cursor.setPosition(position);
        return control.cursorRect(cursor).center();
    }
    void press(int position, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(control.viewport(), Qt::LeftButton, modifiers, pointOf(position));
    }
    std::string selectedText() const { return control.TextRange(control.ExGetSel()).toStdString(); }
    // A move with the left button held, which QTest::mouseMove cannot send;
    // returns the selected text.
    std::string dragTo(int position, Qt::KeyboardModifiers modifiers = {})
    {
        const QPointF point = pointOf(position);
        QMouseEvent move(QEvent::MouseMove, point, control.viewport()->mapToGlobal(point), Qt::NoButton,
                         Qt::LeftButton, modifiers);
        QApplication::sendEvent(control.viewport(), &move);
        return selectedText();
    }
    void release(int position, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseRelease(control.viewport(), Qt::LeftButton, modifiers, pointOf(position));
    }

    RichEditControl control{RichEditStyle{}};
};

TEST_F(WordwiseDragTest, LeavingTheFirstWordSnapsBothEndsToWholeWords)
{
    ASSERT_TRUE(control.GetOptions() & ECO_AUTOWORDSELECTION); // on by default
    press(7);                                                  // d|va
    EXPECT_EQ(dragTo(8), "v");                                 // within the word: characters
    EXPECT_EQ(dragTo(12), "dva tři ");                         // a word with the blanks after it
    EXPECT_EQ(dragTo(9), "va");                                // back in the first word
    EXPECT_EQ(dragTo(2), "jedna dva ");                        // backward
    EXPECT_EQ(dragTo(22), "dva tři čtyři\rpět ");              // into the next paragraph
    EXPECT_EQ(dragTo(19), "dva tři čtyři");                    // the paragraph's end ends a word
    release(19);
    EXPECT_EQ(selectedText(), "dva tři čtyři");
    // The next drag starts afresh from its own press.
    press(21);
    EXPECT_EQ(dragTo(22), "ě");
    release(22);
}

TEST_F(WordwiseDragTest, ShiftAndTheOptionTurnedOffSelectCharacters)
{
    press(2);
    release(2);
    press(12, Qt::ShiftModifier);
    EXPECT_EQ(selectedText(), "dna dva tř");
    EXPECT_EQ(dragTo(16, Qt::ShiftModifier), "dna dva tři čt");
    release(16, Qt::ShiftModifier);

    control.SetOptions(ECOOP_AND, ~ECO_AUTOWORDSELECTION);
    control.SetSel(0, 0);
    press(7);
    EXPECT_EQ(dragTo(12), "va tř");
    EXPECT_EQ(dragTo(2), "dna d");
    release(2);
}

} // namespace
