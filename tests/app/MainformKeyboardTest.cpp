// The main window's keyboard: the shortcuts of the document commands and the
// Alt letters of the menus.

#include "tests/app/MainformFixture.h"

#include "platform/RichEditControl.h"

#include "platform/QtDesktop.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

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
    QtDesktop platformDialogs;
    form = std::make_unique<TMainform>(platformDialogs, QStringList{});
    TMainform& window = *form;
    window.show();
    QApplication::setActiveWindow(&window);
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

    QTimer::singleShot(0, &window, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    chooseFromMenu(window.Nastaven1, window.Monosti1);
    altOpensTheFileMenu();
}

} // namespace
