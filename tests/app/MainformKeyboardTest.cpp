// The main window's keyboard: the shortcuts of the document commands and the
// Alt letters of the menus.

#include "tests/app/MainformFixture.h"

#include "platform/RichEditControl.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

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

} // namespace
