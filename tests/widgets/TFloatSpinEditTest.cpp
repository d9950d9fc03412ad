// The fractional spin edit: its number in the text, bounds, stepping, the
// characters it takes, its arrows with their focus and auto-repeat, its layout.
// Every case runs under the Czech locale (decimal comma) and the C locale.

#include "widgets/TFloatSpinEdit.h"

#include "platform/ScriptedDesktop.h"
#include "platform/TTimer.h"
#include "widgets/TFTimerSpeedButton.h"
#include "widgets/TFloatSpinButton.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TFloatSpinEditTest : public ::testing::TestWithParam<QLocale>
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(GetParam());
        window.resize(200, 80);
        edit.setParent(&window);
        edit.setGeometry(10, 10, 80, 25);
        other.setParent(&window);
        other.setGeometry(10, 40, 80, 25);
        edit.OnChange = [this](QObject* sender) { changes += sender == &edit ? 1 : 100; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override { QLocale::setDefault(savedLocale); }

    // "0,1" under the Czech locale, "0.1" under C.
    static QString local(QString text) { return text.replace('.', QLocale().decimalPoint()); }
    int beeps() const { return int(desktop.callsOf(ScriptedDesktop::CallKind::MessageBeep).size()); }
    TFTimerSpeedButton* upArrow() const { return edit.Button()->upButton(); }

    const QLocale savedLocale;
    ScriptedDesktop desktop;
    QWidget window;
    TFloatSpinEdit edit{desktop};
    QLineEdit other;
    int changes = 0;
};

} // namespace

TEST_P(TFloatSpinEditTest, WithoutBoundsStepsBelowZeroAndReportsEachChange)
{
    edit.setIncrement(0.1);
    edit.StepDown();
    EXPECT_EQ(edit.text(), local("-0.1"));
    EXPECT_DOUBLE_EQ(edit.Value(), -0.1);
    EXPECT_EQ(changes, 1);
    edit.setValue(-0.1);
    EXPECT_EQ(changes, 1) << "an equal text is no change";
}

TEST_P(TFloatSpinEditTest, TenStepsOfATenthShowOne)
{
    edit.setIncrement(0.1);
    for (int step = 0; step < 10; ++step)
        QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), QStringLiteral("1"));
    edit.setValue(1234.5);
    EXPECT_EQ(edit.text(), local("1234.5"));
}

TEST_P(TFloatSpinEditTest, AnOutOfBoundsNumberBecomesTheNearestBoundOnLeaving)
{
    edit.setMaxValue(5);
    edit.setFocus();
    QTest::keyClick(&edit, '7');
    ASSERT_EQ(edit.text(), QStringLiteral("7"));
    other.setFocus();
    EXPECT_EQ(edit.text(), QStringLiteral("5"));
    QTest::mouseClick(upArrow(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("5"));

    edit.setText(QStringLiteral("1-"));
    edit.setFocus();
    other.setFocus();
    EXPECT_EQ(edit.text(), QStringLiteral("1-")) << "a text that is no number stays";
}

TEST_P(TFloatSpinEditTest, AnEmptyFieldReadsItsLowerBound)
{
    edit.setMinValue(2);
    edit.setMaxValue(10);
    edit.setIncrement(0.5);
    edit.clear();
    EXPECT_EQ(edit.Value(), 2);
    edit.StepUp();
    EXPECT_EQ(edit.text(), local("2.5"));
}

TEST_P(TFloatSpinEditTest, AReadOnlyFieldBeepsInsteadOfStepping)
{
    edit.setReadOnly(true);
    edit.StepUp();
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    EXPECT_EQ(beeps(), 1);
}

struct TypedKey
{
    const char* name;
    int key;
    QChar character; // typed as a character when set, else as `key`
    bool editorEnabled;
    const char* textAfter; // from "12" with the caret at its end; '.' is the locale's separator
    bool beeps;
};

TEST_P(TFloatSpinEditTest, TypedCharactersAreFilteredAndRefusedOnesBeep)
{
    const QChar separator = QLocale().decimalPoint().at(0);
    const QChar foreignSeparator = separator == ',' ? QChar('.') : QChar(',');
    const TypedKey keys[] = {
        {"digit", 0, '3', true, "123", false},
        {"separator", 0, separator, true, "12.", false},
        {"other separator", 0, foreignSeparator, true, "12", true},
        {"sign", 0, '-', true, "12-", false},
        {"letter", 0, 'a', true, "12", true},
        {"carriage return", Qt::Key_Return, {}, true, "12", true},
        {"backspace", Qt::Key_Backspace, {}, true, "1", false},
        {"backspace without editor", Qt::Key_Backspace, {}, false, "12", true},
        {"digit without editor", 0, '3', false, "12", true},
    };
    for (const TypedKey& key : keys) {
        SCOPED_TRACE(key.name);
        desktop.clear();
        edit.setEditorEnabled(key.editorEnabled);
        edit.setText(QStringLiteral("12"));
        edit.end(false);
        if (key.character.isNull())
            QTest::keyClick(&edit, Qt::Key(key.key));
        else
            QTest::keyClick(&edit, key.character.toLatin1());
        EXPECT_EQ(edit.text(), local(QString::fromLatin1(key.textAfter)));
        EXPECT_EQ(beeps(), key.beeps ? 1 : 0);
    }
}

TEST_P(TFloatSpinEditTest, PasteReachesTheFieldOnlyWhileItsEditorIsEnabled)
{
    QApplication::clipboard()->setText(QStringLiteral("34"));
    edit.setText(QStringLiteral("12"));
    edit.end(false);
    edit.setEditorEnabled(false);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    edit.setEditorEnabled(true);
    edit.setMaxLength(3);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("123"));
    EXPECT_EQ(beeps(), 0);
}

TEST_P(TFloatSpinEditTest, AHeldArrowRepeatsAfterADelayAndAQuickClickStepsOnceOnRelease)
{
    using std::chrono::milliseconds;
    TTimer::ManualTime time;
    QTest::mousePress(upArrow(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("0")) << "the press itself does not step";
    EXPECT_TRUE(edit.hasFocus()) << "a press on an arrow focuses the field";
    time.advance(milliseconds(399));
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    time.advance(milliseconds(1));
    EXPECT_EQ(edit.text(), QStringLiteral("1")) << "400 ms after the press";
    time.advance(milliseconds(250));
    EXPECT_EQ(edit.text(), QStringLiteral("3")) << "then every 100 ms";
    QTest::mouseRelease(upArrow(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("4"));

    QTest::mousePress(edit.Button()->downButton(), Qt::LeftButton);
    time.advance(milliseconds(50));
    QTest::mouseRelease(edit.Button()->downButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("3"));
    time.advance(milliseconds(1000));
    EXPECT_EQ(edit.text(), QStringLiteral("3")) << "the repeating ended with the release";
}

TEST_P(TFloatSpinEditTest, AFocusedSpinButtonStepsWithItsKeysAndFramesTheFocusedArrow)
{
    TFloatSpinButton* spin = edit.Button();
    spin->setFocusPolicy(Qt::StrongFocus);
    spin->setFocus();
    EXPECT_TRUE(upArrow()->FocusFrame());
    QTest::keyClick(spin, Qt::Key_Space);
    EXPECT_EQ(edit.text(), QStringLiteral("1"));
    QTest::keyClick(spin, Qt::Key_Down);
    QTest::keyClick(spin, Qt::Key_Space);
    EXPECT_EQ(edit.text(), QStringLiteral("-1"));
    EXPECT_EQ(spin->focusedButton(), spin->downButton());
    EXPECT_TRUE(spin->downButton()->FocusFrame());
    EXPECT_FALSE(upArrow()->FocusFrame());
    other.setFocus();
    EXPECT_FALSE(spin->downButton()->FocusFrame());
}

TEST_P(TFloatSpinEditTest, ArrowsSitInsideTheRightEdgeAndTheTextStopsBeforeThem)
{
    const QRect arrows = edit.Button()->geometry();
    EXPECT_EQ(arrows.width(), TFloatSpinEdit::ArrowWidth);
    EXPECT_LT(arrows.right(), edit.width() - 1);
    EXPECT_GT(arrows.top(), -1);
    EXPECT_LT(arrows.bottom(), edit.height() - 1);
    EXPECT_GE(edit.textMargins().right(), TFloatSpinEdit::ArrowWidth);
    EXPECT_EQ(upArrow()->geometry(), QRect(0, 0, 15, arrows.height() / 2));
    EXPECT_EQ(edit.Button()->downButton()->geometry().top(), arrows.height() / 2 - 1);

    edit.resize(80, 5);
    EXPECT_EQ(edit.height(), edit.minimumFieldHeight());
}

INSTANTIATE_TEST_SUITE_P(Locales, TFloatSpinEditTest,
                         ::testing::Values(QLocale(QLocale::Czech, QLocale::CzechRepublic), QLocale::c()),
                         [](const ::testing::TestParamInfo<QLocale>& info) {
                             return info.param.language() == QLocale::C ? std::string("C")
                                                                        : std::string("Czech");
                         });
