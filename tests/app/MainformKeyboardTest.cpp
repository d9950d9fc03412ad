// The main window's keyboard: the shortcuts of the document commands and the
// Alt letters of the menus.

#include "tests/app/MainformFixture.h"

#include "platform/RichEditControl.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
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

} // namespace
