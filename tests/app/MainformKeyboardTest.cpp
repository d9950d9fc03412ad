// The main window's keyboard: the shortcuts of the document commands and the
// Alt letters of the menus.

#include "tests/app/MainformFixture.h"

#include "editcontrol/RichEditControl.h"

#include "format/TextFormatProperties.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace TextFormatProperties;

namespace {

class MainformKeyboardTest : public MainformFixture
{
protected:
    TMainform& activeForm()
    {
        TMainform& window = createForm();
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        return window;
    }
};

TEST_F(MainformKeyboardTest, CtrlKeysRunNewOpenSavePrintAndFind)
{
    TMainform& window = activeForm();
    const std::pair<Qt::Key, QAction*> shortcuts[] = {{Qt::Key_N, window.Nov1},
                                                      {Qt::Key_O, window.Otevt1},
                                                      {Qt::Key_S, window.uloit1},
                                                      {Qt::Key_P, window.isk1},
                                                      {Qt::Key_F, window.Najtvtextu1}};
    for (auto [key, action] : shortcuts) {
        SCOPED_TRACE(action->objectName().toStdString());
        desktop.queueFileDialogCancel(); // Open and Save ask for a file
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keyClick(window.editor->control(), key, Qt::ControlModifier);
        EXPECT_EQ(triggered.count(), 1);
    }
}

TEST_F(MainformKeyboardTest, AltWithTheUnderlinedLetterOpensEachMenu)
{
    TMainform& window = activeForm();
    const std::tuple<Qt::Key, QMenu*, QString> menus[] = {
        {Qt::Key_S, window.Soubor1, QStringLiteral("Soubor")},
        {Qt::Key_P, window.U1, QStringLiteral("Úpravy")},
        {Qt::Key_V, window.Vloit2, QStringLiteral("Vložit")},
        {Qt::Key_J, window.Najt1, QStringLiteral("Najít")},
        {Qt::Key_T, window.Nastaven1, QStringLiteral("Nastavení")},
        {Qt::Key_N, window.Help1, QStringLiteral("Nápověda")}};
    for (const auto& [key, menu, caption] : menus) {
        SCOPED_TRACE(menu->objectName().toStdString());
        QTest::keyClick(window.editor->control(), key, Qt::AltModifier);
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
        EXPECT_EQ(QString(menu->title()).remove(u'&'), caption) << "only the letter is marked";
    }
}

// Enter always breaks the paragraph: a blank line in a letter keeps the
// paragraph's indents and the size at the caret; Enter in an empty list item
// ends the list and keeps the same.
TEST_F(MainformKeyboardTest, EnterKeepsTheParagraphAndCharacterFormatAlsoOnEmptyLines)
{
    TMainform& window = activeForm();
    TZvRichEdit& editor = *window.editor;
    QWidget* text = editor.control();
    const int firstLine = editor.ParagraphAttributes().FirstLineIndent();
    ASSERT_NE(firstLine, 0) << "the start-up indents";
    editor.SelectionAttributes().setPointSize(14);
    QTest::keyClicks(text, QStringLiteral("a"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("b"));
    EXPECT_EQ(editor.Text(), QStringLiteral("a\r\n\r\nb"));

    QTest::mouseClick(window.cisodraz, Qt::LeftButton);
    ASSERT_EQ(editor.ParagraphAttributes().ListStyle(), 2);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(editor.ParagraphAttributes().ListStyle(), 0) << "the empty item ends the list";
    QTest::keyClicks(text, QStringLiteral("c"));
    EXPECT_EQ(editor.Text(), QStringLiteral("a\r\n\r\nb\r\nc"));

    for (int paragraph : {1, 2, 3}) {
        SCOPED_TRACE(paragraph);
        editor.setSelectionStart(editor.control()->document()->findBlockByNumber(paragraph).position());
        EXPECT_EQ(editor.ParagraphAttributes().FirstLineIndent(), firstLine);
        EXPECT_EQ(editor.ParagraphAttributes().RightIndent(), 60);
        EXPECT_EQ(editor.SelectionAttributes().PointSize(), 14);
    }
}

// A dialog takes the keyboard when it opens and gives it back to the document
// when it closes: typing goes into the dialog's field, and afterwards the Alt
// letters open the menus again instead of typing into the text.
TEST_F(MainformKeyboardTest, DialogsTakeTheKeyboardAndGiveItBack)
{
    TMainform& window = createActiveFormWithPlatformDialogs();
    QWidget* text = window.editor->control();
    QTest::keyClicks(text, QStringLiteral("ab"));

    QTest::keyClick(text, Qt::Key_F, Qt::ControlModifier);
    QApplication::processEvents(); // the window system's answer, as before the next key
    QWidget* find = QApplication::activeWindow();
    ASSERT_NE(find, &window) << "the find dialog has the keyboard";
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("b"));
    EXPECT_EQ(window.editor->Text(), QStringLiteral("ab"));
    EXPECT_EQ(find->findChild<QLineEdit*>()->text(), QStringLiteral("b"));
    const auto altOpensTheFileMenu = [&] {
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &window);
        QTest::keyClick(text, Qt::Key_S, Qt::AltModifier);
        EXPECT_TRUE(window.Soubor1->isVisible());
        window.Soubor1->hide();
        EXPECT_EQ(window.editor->Text(), QStringLiteral("ab")) << "no letter typed";
    };
    QTest::keyClick(find, Qt::Key_Escape);
    altOpensTheFileMenu();

    QTimer::singleShot(0, &window,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    chooseFromMenu(window.Nastaven1, window.Monosti1);
    altOpensTheFileMenu();

    QDialog ownerless; // as a message box raised while no window was active
    ownerless.show();
    QApplication::processEvents();
    QTest::keyClick(&ownerless, Qt::Key_Escape);
    altOpensTheFileMenu();
}

// The editing keys of Windows-style word processors act on the selection and
// the tool bar and the line-spacing menu show what they did.
TEST_F(MainformKeyboardTest, FormattingKeysActOnTheSelectionAndTheControlsFollow)
{
    TMainform& window = activeForm();
    TZvRichEdit& editor = *window.editor;
    QWidget* text = editor.control();
    QTest::keyClicks(text, QStringLiteral("slovo"));
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    const std::tuple<Qt::Key, TFontStyle, QToolButton*> styles[] = {
        {Qt::Key_B, fsBold, window.tucne},
        {Qt::Key_I, fsItalic, window.kurziva},
        {Qt::Key_U, fsUnderline, window.podtrzene}};
    for (const auto& [key, style, button] : styles) {
        SCOPED_TRACE(button->objectName().toStdString());
        for (const bool on : {true, false}) {
            QTest::keyClick(text, key, Qt::ControlModifier);
            EXPECT_EQ(bool(editor.SelectionAttributes().StyleFlags() & style), on);
            EXPECT_EQ(button->isChecked(), on);
        }
    }
    const std::tuple<Qt::Key, int, QToolButton*> alignments[] = {
        {Qt::Key_E, taCenter, window.szarovnani},
        {Qt::Key_R, taRightJustify, window.pzarovnani},
        {Qt::Key_J, taJustify, window.czarovnani},
        {Qt::Key_L, taLeftJustify, window.lzarovnani}};
    for (const auto& [key, alignment, button] : alignments) {
        QTest::keyClick(text, key, Qt::ControlModifier);
        EXPECT_EQ(editor.ParagraphAttributes().Alignment(), alignment);
        EXPECT_TRUE(button->isChecked()) << button->objectName().toStdString();
    }
    const std::tuple<Qt::Key, int, QAction*> spacings[] = {{Qt::Key_2, LineSpacingDouble, window.radku2},
                                                           {Qt::Key_5, LineSpacingOneAndHalf, window.radku15},
                                                           {Qt::Key_1, LineSpacingSingle, window.normalni}};
    for (const auto& [key, rule, item] : spacings) {
        QTest::keyClick(text, key, Qt::ControlModifier);
        EXPECT_EQ(editor.ParagraphAttributes().LineSpacingRule(), rule);
        EXPECT_TRUE(item->isChecked()) << item->objectName().toStdString();
    }
    EXPECT_EQ(editor.Text(), QStringLiteral("slovo"));

    QTest::keyClicks(text, QStringLiteral("x"));
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), QStringLiteral("slovo"));
    QTest::keyClick(text, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), QStringLiteral("x"));
}

// Every item of every menu has an underlined letter of its own, and the
// letter chooses it while the menu is open.
TEST_F(MainformKeyboardTest, EveryMenuItemHasItsOwnLetter)
{
    TMainform& window = activeForm();
    QList<QMenu*> menus = window.findChildren<QMenu*>();
    ASSERT_GE(menus.size(), 10);
    for (const QMenu* menu : std::as_const(menus)) {
        QString letters;
        for (const QAction* item : menu->actions()) {
            if (item->isSeparator())
                continue;
            const QString caption = item->text();
            const qsizetype mark = caption.indexOf(u'&');
            SCOPED_TRACE(caption.toStdString());
            ASSERT_TRUE(mark >= 0 && mark + 1 < caption.size()) << menu->objectName().toStdString();
            const QChar letter = caption.at(mark + 1).toLower();
            EXPECT_FALSE(letters.contains(letter)) << menu->objectName().toStdString();
            letters += letter;
        }
    }
    EXPECT_EQ(window.zpt1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(window.Vped2->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));

    QSignalSpy replace(window.Nahradittext1, &QAction::triggered);
    QTest::keyClick(window.editor->control(), Qt::Key_J, Qt::AltModifier);
    ASSERT_TRUE(window.Najt1->isVisible());
    QTest::keyClick(window.Najt1, Qt::Key_R);
    EXPECT_EQ(replace.count(), 1);
}

} // namespace
