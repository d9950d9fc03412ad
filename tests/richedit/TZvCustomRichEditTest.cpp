#include "richedit/TZvRichEdit.h"

#include "format/FormatValues.h"
#include "editcontrol/RichEditControl.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "tests/EditorFormat.h"

#include <gtest/gtest.h>

namespace {

// A shown editor of a fixed size, so that layout, scrolling and mouse hits
// behave as on screen.
class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetEditorLibraryVersion(3);
        editor.resize(400, 200);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }
    void TearDown() override { SetEditorLibraryVersion(3); }

    QString manyParagraphs(int count)
    {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("Odstavec číslo %1 s českým textem").arg(i);
        return lines.join(QLatin1Char('\n'));
    }

    QPoint viewportPointOf(int position)
    {
        QTextCursor cursor(editor.control()->document());
        cursor.setPosition(position);
        return editor.control()->cursorRect(cursor).center() + QPoint(2, 0);
    }

    TZvRichEdit editor;
};

TEST_F(EditorTest, WordWrapSwitchKeepsTextFormattingAndModifiedFlag)
{
    const QString text = QString(QStringLiteral("slovo ")).repeated(200);
    editor.setText(text);
    makeBold(editor, 0, 5);
    editor.setIsModified(true);
    editor.SelectRange(100, 120, false);
    const int wrappedLines = editor.control()->GetLineCount();

    editor.setWordWrap(false);

    EXPECT_EQ(editor.Text(), text);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_EQ(editor.control()->GetLineCount(), 1) << "one long paragraph is one line without wrapping";
    EXPECT_GT(wrappedLines, 1);
    EXPECT_EQ(editor.SelectionStart(), 0) << "the caret goes to the start after re-creation";
    EXPECT_EQ(editor.SelectionLength(), 0);
    EXPECT_TRUE(isBoldAt(editor, 2));
    EXPECT_FALSE(isBoldAt(editor, 7));

    editor.setIsModified(false);
    editor.setWordWrap(true);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(editor.control()->GetLineCount(), wrappedLines);
}

TEST_F(EditorTest, RecreationDropsUndoHistory)
{
    editor.setSelectedText(QStringLiteral("abc"));
    ASSERT_TRUE(editor.control()->CanUndo());
    editor.setSelectionBar(false);
    EXPECT_FALSE(editor.control()->CanUndo());
    editor.Undo();
    EXPECT_EQ(editor.Text(), QStringLiteral("abc"));
}

TEST_F(EditorTest, EveryCreationPropertyRecreatesTheControl)
{
    editor.setText(QStringLiteral("text"));
    const auto recreates = [&](auto change) {
        QPointer<RichEditControl> before = editor.control();
        change();
        return before.isNull();
    };
    EXPECT_TRUE(recreates([&] { editor.setScrollBars(TScrollStyle::ssVertical); }));
    EXPECT_TRUE(recreates([&] { editor.setHideScrollBars(false); }));
    EXPECT_EQ(editor.control()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(recreates([&] { editor.setSelectionBar(false); }));
    EXPECT_TRUE(recreates([&] { editor.setAllowObjects(false); }));
    EXPECT_FALSE(recreates([&] { editor.setHideScrollBars(false); })) << "an unchanged value changes nothing";
    EXPECT_FALSE(recreates([&] { editor.setUndoLimit(50); }));
    EXPECT_EQ(editor.Text(), QStringLiteral("text"));
}

// WordSelection reaches the control, also one made anew, and decides how a
// drag across words selects.
TEST_F(EditorTest, WordSelectionDecidesHowADragAcrossWordsSelects)
{
    editor.setText(QStringLiteral("jedna dva tři"));
    const auto drag = [this](int from, int to) {
        QWidget* viewport = editor.control()->viewport();
        const auto pointOf = [this](int position) {
            QTextCursor cursor(editor.control()->document());
            cursor.setPosition(position);
            return editor.control()->cursorRect(cursor).center();
        };
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(0)); // nothing selected under the press
        QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(from));
        QMouseEvent move(QEvent::MouseMove, pointOf(to), viewport->mapToGlobal(pointOf(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(to));
        return editor.SelectedText().toStdString();
    };
    EXPECT_TRUE(editor.WordSelection());
    EXPECT_EQ(drag(7, 11), "dva tři");
    editor.setWordSelection(false);
    EXPECT_EQ(drag(7, 11), "va t");
    editor.RecreateWnd();
    EXPECT_FALSE(editor.WordSelection());
    EXPECT_EQ(drag(7, 11), "va t");
}

TEST_F(EditorTest, SelectionStartAloneDoesNotScrollButSelectionLengthDoes)
{
    editor.setText(manyParagraphs(400));
    editor.setSelectionStart(0);
    QScrollBar* scroll = editor.control()->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    ASSERT_EQ(scroll->value(), 0);

    const int nearEnd = editor.control()->GetTextLength() - 40;
    editor.setSelectionStart(nearEnd);
    EXPECT_EQ(scroll->value(), 0);
    EXPECT_EQ(editor.SelectionStart(), nearEnd);
    EXPECT_EQ(editor.SelectionLength(), 0);

    editor.setSelectionLength(10);
    EXPECT_EQ(editor.SelectionStart(), nearEnd);
    EXPECT_EQ(editor.SelectionLength(), 10);
    EXPECT_GT(scroll->value(), 0);
}

TEST_F(EditorTest, WritingSelectedTextLeavesTheNewTextSelected)
{
    editor.setText(QStringLiteral("Dobrý den"));
    editor.SelectRange(6, 9, false);
    editor.setSelectedText(QStringLiteral("večer, lidé"));
    EXPECT_EQ(editor.Text(), QStringLiteral("Dobrý večer, lidé"));
    EXPECT_EQ(editor.SelectionStart(), 6);
    EXPECT_EQ(editor.SelectedText(), QStringLiteral("večer, lidé"));

    // A CR LF in the new text is one paragraph break and one character.
    editor.SelectRange(0, 0, false);
    editor.setSelectedText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(editor.SelectionLength(), 3);
    EXPECT_EQ(editor.SelectedText(), QStringLiteral("a\rb"));
}

TEST_F(EditorTest, SelectedTextReplacementIsUndoableWithMultiLevelUndo)
{
    editor.setText(QStringLiteral("start"));
    editor.SelectRange(5, 5, false);
    editor.setSelectedText(QStringLiteral(" jedna"));
    editor.SelectRange(11, 11, false);
    editor.setSelectedText(QStringLiteral(" dva"));
    editor.Undo();
    EXPECT_EQ(editor.Text(), QStringLiteral("start jedna"));
    editor.Undo();
    EXPECT_EQ(editor.Text(), QStringLiteral("start"));
    editor.Redo();
    EXPECT_EQ(editor.Text(), QStringLiteral("start jedna"));
}

TEST_F(EditorTest, UndoLimitOneGivesSingleLevelUndo)
{
    editor.setUndoLimit(1);
    editor.RecreateWnd();
    EXPECT_EQ(editor.control()->GetTextMode() & (TM_SINGLELEVELUNDO | TM_MULTILEVELUNDO), TM_SINGLELEVELUNDO);
    editor.setSelectedText(QStringLiteral("a"));
    // With a limit of one the replacement is not undoable: typing is.
    editor.SelectRange(1, 1, false);
    QTest::keyClicks(editor.control(), QStringLiteral("b"));
    editor.SelectRange(2, 2, false);
    QTest::keyClick(editor.control(), Qt::Key_Return);
    QTest::keyClicks(editor.control(), QStringLiteral("c"));
    ASSERT_EQ(editor.Text(), QStringLiteral("ab\r\nc"));
    editor.Undo();
    const QString afterOneUndo = editor.Text();
    EXPECT_NE(afterOneUndo, QStringLiteral("ab\r\nc"));
    editor.Undo();
    EXPECT_EQ(editor.Text(), afterOneUndo) << "a second undo goes no further back";
}

TEST_F(EditorTest, UndoLimitZeroDisablesUndo)
{
    editor.setUndoLimit(0);
    QTest::keyClicks(editor.control(), QStringLiteral("abc"));
    editor.Undo();
    EXPECT_EQ(editor.Text(), QStringLiteral("abc"));
}

TEST_F(EditorTest, UndoLimitCapsTheStepsThatCanBeUndone)
{
    editor.setUndoLimit(2);
    for (const char* word : {"a", "b", "c", "d"}) {
        editor.SelectRange(editor.control()->GetTextLength(), -1, false);
        editor.setSelectedText(QString::fromLatin1(word));
    }
    editor.Undo();
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(editor.Text(), QStringLiteral("ab"));
}

TEST_F(EditorTest, PlainTextOnAndOffKeepsTheTextButNotTheFormatting)
{
    editor.setText(QStringLiteral("Tučný text\nDruhý řádek"));
    makeBold(editor, 0, 5);
    editor.SetPlainText(true);
    EXPECT_TRUE(editor.PlainText());
    EXPECT_EQ(editor.Text(), QStringLiteral("Tučný text\r\nDruhý řádek"));
    EXPECT_FALSE(isBoldAt(editor, 1));
    EXPECT_TRUE(editor.control()->GetTextMode() & TM_PLAINTEXT);

    editor.SetPlainText(false);
    EXPECT_FALSE(editor.PlainText());
    EXPECT_EQ(editor.Text(), QStringLiteral("Tučný text\r\nDruhý řádek"));
    EXPECT_FALSE(isBoldAt(editor, 1));
    EXPECT_TRUE(editor.control()->GetTextMode() & TM_RICHTEXT);
}

TEST_F(EditorTest, PlainTextModeFormatsTheWholeText)
{
    editor.SetPlainText(true);
    editor.setText(QStringLiteral("jedna dva"));
    makeBold(editor, 0, 3);
    EXPECT_TRUE(isBoldAt(editor, 7));
}

TEST_F(EditorTest, MaxLengthZeroMeansTheDefaultLimit)
{
    EXPECT_EQ(editor.control()->limitText(), 16777215);
    editor.setMaxLength(2147483632);
    EXPECT_EQ(editor.control()->limitText(), 2147483632);
    editor.setMaxLength(0);
    EXPECT_EQ(editor.control()->limitText(), 16777215);
}

TEST_F(EditorTest, TextLongerThanMaxLengthIsCut)
{
    editor.setMaxLength(10);
    editor.setText(QStringLiteral("0123456789abcdef"));
    EXPECT_EQ(editor.Text(), QStringLiteral("0123456789"));

    editor.SelectRange(2, 4, false);
    editor.setSelectedText(QStringLiteral("xyzw"));
    EXPECT_EQ(editor.Text(), QStringLiteral("01xy456789")) << "only the room left by the selection is used";
    EXPECT_EQ(editor.SelectedText(), QStringLiteral("xy"));

    editor.SelectRange(10, 10, false);
    QTest::keyClicks(editor.control(), QStringLiteral("q"));
    EXPECT_EQ(editor.control()->GetTextLength(), 10) << "typing past the limit is refused";
}

TEST_F(EditorTest, PositionsPastTheEndAreClamped)
{
    editor.setText(QStringLiteral("abc"));
    editor.SelectRange(2, 1000, true);
    EXPECT_EQ(editor.SelectionStart(), 2);
    EXPECT_EQ(editor.SelectionLength(), 1);
    editor.setSelectionStart(-5);
    EXPECT_EQ(editor.SelectionStart(), 3) << "-1 and below keep the caret where it was";
    EXPECT_EQ(editor.TextBetween(1, 99), QStringLiteral("bc"));
    EXPECT_EQ(editor.TextBetween(5, 9), QString());
    editor.setSelectionStart(500);
    EXPECT_EQ(editor.SelectionStart(), 3);
}

TEST_F(EditorTest, EmptyDocumentAnswersEverything)
{
    EXPECT_EQ(editor.Text(), QString());
    EXPECT_EQ(editor.SelectedText(), QString());
    EXPECT_EQ(editor.CaretPosition(), (TPoint{0, 0}));
    EXPECT_EQ(editor.SelectionKind(), 0u);
    EXPECT_EQ(editor.control()->GetLineCount(), 1);
    EXPECT_EQ(editor.control()->LineIndex(0), 0);
    EXPECT_EQ(editor.control()->LineIndex(1), -1);
    EXPECT_EQ(editor.control()->LineLength(0), 0);
    EXPECT_EQ(editor.control()->ExLineFromChar(10), 0);
    editor.Undo();
    editor.Redo();
    editor.Clear();
    editor.setSelectionLength(5);
    EXPECT_EQ(editor.SelectionLength(), 0);
}

TEST_F(EditorTest, CaretPositionIsColumnAndLineOfTheSelectionEnd)
{
    editor.setText(QStringLiteral("první\ndruhý řádek"));
    editor.SelectRange(2, 10, false);
    EXPECT_EQ(editor.CaretPosition(), (TPoint{4, 1}));
}

TEST_F(EditorTest, ClearEmptiesTheTextAndTheModifiedFlag)
{
    editor.setText(QStringLiteral("něco"));
    editor.setIsModified(true);
    editor.Clear();
    EXPECT_EQ(editor.Text(), QString());
    EXPECT_FALSE(editor.IsModified());
}

TEST_F(EditorTest, ModifiedFlagBeforeTheControlExistsIsKept)
{
    for (const bool modified : {true, false}) {
        TZvRichEdit hidden;
        EXPECT_FALSE(hidden.HandleAllocated());
        hidden.setIsModified(modified);
        EXPECT_EQ(hidden.IsModified(), modified);
        EXPECT_FALSE(hidden.HandleAllocated());
        EXPECT_EQ(hidden.Text(), QString()) << "reading the text creates the control";
        EXPECT_TRUE(hidden.HandleAllocated());
        EXPECT_EQ(hidden.IsModified(), modified) << "the control takes the flag over";
    }
}

TEST_F(EditorTest, ProtectedTextIsRefusedWithoutAHandler)
{
    editor.setText(QStringLiteral("volné chráněné volné"));
    editor.SelectRange(6, 14, false);
    CHARFORMAT2A format;
    format.dwMask = CFM_PROTECTED;
    format.dwEffects = CFE_PROTECTED;
    editor.control()->SetCharFormat(SCF_SELECTION, format);

    editor.SelectRange(7, 9, false);
    QTest::keyClick(editor.control(), Qt::Key_X);
    editor.SelectRange(8, 8, false);
    QTest::keyClick(editor.control(), Qt::Key_Backspace);
    editor.SelectRange(7, 9, false);
    editor.setSelectedText(QStringLiteral("zz"));
    EXPECT_EQ(editor.Text(), QStringLiteral("volné chráněné volné"));

    editor.SelectRange(0, 2, false);
    QTest::keyClick(editor.control(), Qt::Key_X);
    EXPECT_EQ(editor.Text(), QStringLiteral("xlné chráněné volné")) << "unprotected text stays editable";
}

TEST_F(EditorTest, ProtectChangeHandlersDecide)
{
    editor.setText(QStringLiteral("abcdef"));
    editor.SelectRange(2, 4, false);
    CHARFORMAT2A format;
    format.dwMask = CFM_PROTECTED;
    format.dwEffects = CFE_PROTECTED;
    editor.control()->SetCharFormat(SCF_SELECTION, format);

    int plainCalls = 0;
    editor.OnProtectChange = [&](TZvCustomRichEdit*, int, int, bool& allow) {
        ++plainCalls;
        allow = false;
    };
    std::vector<std::pair<int, int>> ranges;
    UINT lastMessage = 0;
    editor.OnProtectChangeEx = [&](TZvCustomRichEdit* sender, const TMessage& message, int start, int end,
                                   bool& allow) {
        EXPECT_EQ(sender, &editor);
        ranges.emplace_back(start, end);
        lastMessage = message.Msg;
        allow = true;
    };
    editor.SelectRange(2, 3, false);
    editor.setSelectedText(QStringLiteral("X"));
    EXPECT_EQ(editor.Text(), QStringLiteral("abXdef"));
    EXPECT_EQ(plainCalls, 0) << "the extended handler takes precedence";
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0], std::make_pair(2, 3));
    EXPECT_EQ(lastMessage, EM_REPLACESEL);

    editor.OnProtectChangeEx = nullptr;
    editor.SelectRange(3, 4, false);
    editor.setSelectedText(QStringLiteral("Y"));
    EXPECT_EQ(plainCalls, 1);
    EXPECT_EQ(editor.Text(), QStringLiteral("abXdef"));
}

class LinkClickTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        editor.setText(QStringLiteral("viz http://example.org/a a také www.example.com konec"));
        editor.OnURLClick = [this](TZvCustomRichEdit*, const QString& url, TMouseButton button) {
            clicks.emplace_back(url, button);
        };
        QApplication::processEvents();
    }
    QPoint firstLink() { return viewportPointOf(8); }
    QPoint secondLink() { return viewportPointOf(33); }
    QWidget* viewport() { return editor.control()->viewport(); }

    std::vector<std::pair<QString, TMouseButton>> clicks;
};

TEST_F(LinkClickTest, PressAndReleaseOnTheSameLinkClicksIt)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, firstLink());
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].first, QStringLiteral("http://example.org/a"));
    EXPECT_EQ(clicks[0].second, TMouseButton::mbLeft);

    QTest::mouseClick(viewport(), Qt::RightButton, {}, secondLink());
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].first, QStringLiteral("www.example.com"));
    EXPECT_EQ(clicks[1].second, TMouseButton::mbRight);
}

TEST_F(LinkClickTest, PressOnOneLinkAndReleaseOnAnotherIsNoClick)
{
    QTest::mousePress(viewport(), Qt::LeftButton, {}, firstLink());
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, secondLink());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(LinkClickTest, PressWithOneButtonAndReleaseWithTheOtherIsNoClick)
{
    QTest::mousePress(viewport(), Qt::LeftButton, {}, firstLink());
    QTest::mouseRelease(viewport(), Qt::RightButton, {}, firstLink());
    EXPECT_TRUE(clicks.empty());
    // The pending press was forgotten: a lone release does not click either.
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, firstLink());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(LinkClickTest, ADragOntoALinkFromElsewhereIsNoClick)
{
    // A press on the link released off it leaves nothing pending...
    QTest::mousePress(viewport(), Qt::LeftButton, {}, firstLink());
    QTest::mouseMove(viewport(), viewportPointOf(2));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, viewportPointOf(2));
    // ...so a drag from plain text onto the link opens nothing.
    QTest::mousePress(viewport(), Qt::LeftButton, {}, viewportPointOf(1));
    QTest::mouseMove(viewport(), firstLink());
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, firstLink());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(LinkClickTest, NoLinksWithoutDetection)
{
    editor.setAutoURLDetect(false);
    EXPECT_FALSE(editor.AutoURLDetect());
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, firstLink());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(EditorTest, VersionOneSkipsLinkDetectionAndUndoLimit)
{
    SetEditorLibraryVersion(1);
    TZvRichEdit old;
    old.setUndoLimit(5);
    old.setText(QStringLiteral("http://example.org"));
    EXPECT_FALSE(old.control()->GetAutoUrlDetect());
    EXPECT_EQ(old.control()->GetEventMask() & ENM_LINK, 0u);
    EXPECT_EQ(old.control()->linkAt(3), NoRange) << "nothing is detected as a link";
    // The limit of 5 is kept but not given to the control: six steps undo.
    EXPECT_EQ(old.UndoLimit(), 5);
    for (int step = 0; step < 6; ++step)
        old.control()->ReplaceSel(true, QStringLiteral("x"));
    for (int step = 0; step < 6; ++step)
        old.Undo();
    EXPECT_EQ(old.Text(), QStringLiteral("http://example.org"));
    EXPECT_EQ(old.control()->GetTextMode() & TM_PLAINTEXT, 0u);
    old.SetPlainText(true);
    EXPECT_TRUE(old.PlainText());
    EXPECT_EQ(old.control()->GetTextMode() & TM_PLAINTEXT, 0u) << "no text mode on the old library";
}

// A dark desktop palette on the application for the length of a test.
class DarkPalette
{
public:
    DarkPalette()
    {
        QPalette dark = m_saved;
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            dark.setColor(group, QPalette::Base, QColor(25, 25, 30));
            dark.setColor(group, QPalette::Window, QColor(40, 40, 45));
            dark.setColor(group, QPalette::Button, QColor(50, 50, 55));
            dark.setColor(group, QPalette::Text, QColor(235, 235, 235));
            dark.setColor(group, QPalette::WindowText, QColor(235, 235, 235));
        }
        QApplication::setPalette(dark);
    }
    ~DarkPalette() { QApplication::setPalette(m_saved); }
    DarkPalette(const DarkPalette&) = delete;
    DarkPalette& operator=(const DarkPalette&) = delete;

private:
    QPalette m_saved = QApplication::palette();
};

TEST_F(EditorTest, WindowColourBackgroundAndAutomaticTextFollowADarkPalette)
{
    EXPECT_EQ(editor.Color(), clWindow);
    editor.setText(QStringLiteral("Čitelný text na tmavém pozadí"));
    const DarkPalette dark; // the editor exists already: it follows the change
    TZvRichEdit later;      // and one made afterwards starts in it
    later.resize(400, 200);
    later.setText(editor.Text());
    later.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&later));
    for (TZvRichEdit* shown : {&editor, &later}) {
        QApplication::processEvents();
        const QImage picture = shown->control()->viewport()->grab().toImage();
        const QColor corner = picture.pixelColor(picture.width() - 3, picture.height() - 3);
        EXPECT_EQ(corner, QColor(25, 25, 30)) << "the background is the palette's base colour";
        int lightest = 0;
        const QRect firstLine = shown->control()->cursorRect(QTextCursor(shown->control()->document()));
        for (int x = 0; x < picture.width() / 2; ++x)
            for (int y = firstLine.top(); y <= firstLine.bottom(); ++y)
                lightest = std::max(lightest, picture.pixelColor(x, y).lightness());
        EXPECT_GT(lightest, 200) << "the text is drawn in the palette's light text colour";
    }
}

TEST_F(EditorTest, ColourValuesReachTheBackgroundResolved)
{
    const DarkPalette dark;
    const auto background = [&] { return editor.control()->palette().color(QPalette::Base); };
    editor.setColor(clBtnFace);
    EXPECT_EQ(background(), QColor(50, 50, 55)) << "a system colour is the palette's, not RGB 0x0F0000";
    editor.setColor(RGB(255, 250, 205));
    EXPECT_EQ(background(), QColor(255, 250, 205));
    editor.setWordWrap(false); // re-created
    EXPECT_EQ(background(), QColor(255, 250, 205));
    QPalette lighter = QApplication::palette();
    lighter.setColor(QPalette::Base, QColor(60, 60, 70));
    QApplication::setPalette(lighter);
    QApplication::processEvents(); // the widgets learn of the new palette
    EXPECT_EQ(background(), QColor(255, 250, 205)) << "an RGB colour stays what it is";
    for (const TColor windowColour : {clWindow, clDefault, clNone}) {
        editor.setColor(windowColour);
        EXPECT_EQ(background(), QColor(60, 60, 70)) << "colour 0x" << std::hex << windowColour;
    }
}

TEST_F(EditorTest, PopupMenuAppearsOnceOnRightButtonRelease)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Kopírovat"));
    editor.setPopupMenu(&menu);
    int shown = 0;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        ++shown;
        QMetaObject::invokeMethod(&menu, &QMenu::close, Qt::QueuedConnection);
    });
    QWidget* viewport = editor.control()->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(20, 10));
    QApplication::processEvents();
    EXPECT_EQ(shown, 0) << "nothing on the press";
    QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(20, 10));
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
}

TEST_F(EditorTest, SelectionChangeAndChangeEventsArrive)
{
    int selectionChanges = 0;
    int changes = 0;
    editor.OnSelectionChange = [&](TZvCustomRichEdit*) { ++selectionChanges; };
    editor.OnChange = [&](TZvCustomRichEdit*) { ++changes; };
    QTest::keyClicks(editor.control(), QStringLiteral("ab"));
    EXPECT_GE(changes, 2);
    EXPECT_GE(selectionChanges, 2);
    const int before = selectionChanges;
    editor.SelectRange(0, 1, false);
    EXPECT_EQ(selectionChanges, before + 1);
    editor.SelectRange(0, 1, false);
    EXPECT_EQ(selectionChanges, before + 1) << "the same selection again is no change";
}

TEST_F(EditorTest, KeyHandlersCanSwallowAndReplaceKeys)
{
    editor.OnKeyPress = [](TZvCustomRichEdit*, QChar& key) {
        if (key == QLatin1Char('x'))
            key = QChar();
        else if (key == QLatin1Char('a'))
            key = QLatin1Char('b');
    };
    std::vector<int> downs;
    editor.OnKeyDown = [&](TZvCustomRichEdit*, int& key, Qt::KeyboardModifiers) { downs.push_back(key); };
    QTest::keyClicks(editor.control(), QStringLiteral("xac"));
    EXPECT_EQ(editor.Text(), QStringLiteral("bc"));
    EXPECT_EQ(downs.size(), 3u);
}

TEST_F(EditorTest, SaveClipboardIsAskedWhenTheEditorGoesAway)
{
    auto* owner = new TZvRichEdit;
    owner->setText(QStringLiteral("schránka"));
    owner->SelectAll();
    owner->CopyToClipboard();
    ASSERT_EQ(QApplication::clipboard()->text(), QStringLiteral("schránka"));
    int asked = 0;
    owner->OnSaveClipboard = [&](TZvCustomRichEdit*, int objects, int characters, bool& save) {
        ++asked;
        EXPECT_EQ(objects, 0);
        EXPECT_EQ(characters, 8);
        save = false;
    };
    delete owner;
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty()) << "the answer False drops the data";
}

TEST_F(EditorTest, SelectionKindCountsTextAndObjects)
{
    editor.setText(QStringLiteral("ab"));
    editor.SelectRange(0, 1, false);
    EXPECT_EQ(editor.SelectionKind(), unsigned(stText));
    editor.SelectRange(0, 2, false);
    EXPECT_EQ(editor.SelectionKind(), unsigned(stText | stMultiChar));
    editor.SelectRange(2, 2, false);
    editor.control()->textCursor().insertText(QString(QChar::ObjectReplacementCharacter));
    editor.SelectRange(2, 3, false);
    EXPECT_EQ(editor.SelectionKind(), unsigned(stObject));
}

} // namespace

// The label drawn beside a list item is the one the saved file gives it: in the
// paragraph's numbering style, from the list's start, in the size of the text
// beside it, also once the document has been saved and read again.
TEST_F(EditorTest, AListLabelIsDrawnAsTheFileWritesItAlsoWhenReadAgain)
{
    const auto labelOf = [](TZvRichEdit& shown) {
        shown.SelectRange(0, 0, false);
        QApplication::processEvents();
        const QImage picture = shown.control()->viewport()->grab().toImage();
        const QRect line = shown.control()->cursorRect();
        return picture.copy(QRect(0, line.top(), line.left(), line.height()));
    };
    editor.setText(QStringLiteral("jedna\rdva"));
    editor.SelectAll();
    editor.SelectionAttributes().setPointSize(14);
    editor.ParagraphAttributes().setListStyle(2);
    editor.ParagraphAttributes().setLeftIndent(30); // room for the whole label
    editor.ParagraphAttributes().setNumberingStyle(PFNS_PAREN);
    const QImage parenthesis = labelOf(editor);
    editor.SelectAll();
    editor.ParagraphAttributes().setNumberingStyle(PFNS_PERIOD);
    const QImage period = labelOf(editor);
    EXPECT_NE(period, parenthesis) << "\"1.\" and \"1)\"";
    editor.SelectAll();
    editor.ParagraphAttributes().setNumberingStart(5);
    const QImage five = labelOf(editor);
    EXPECT_NE(five, period) << "\"5.\" and \"1.\"";

    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    editor.Lines().SaveToStream(saved);
    EXPECT_TRUE(saved.data().contains("{\\pntext\\f0 5.\\tab}"));
    TZvRichEdit reread;
    reread.resize(editor.size());
    reread.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reread));
    saved.seek(0);
    reread.Lines().LoadFromStream(saved);
    EXPECT_EQ(labelOf(reread), five);
}
