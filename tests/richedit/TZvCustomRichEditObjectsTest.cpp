// Embedded pictures in the editor: the pop-up menu's object items, the
// properties dialog, and pictures kept across the control's re-creation.

#include "richedit/TZvRichEdit.h"

#include "editcontrol/RichEditControl.h"
#include "platform/ScriptedDesktop.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace {

class EditorObjectsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        editor.setDesktop(&desktop);
        editor.resize(400, 200);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        editor.setText(QStringLiteral("před za"));
        editor.SelectRange(5, 5, false);
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(editor.control()->InsertObject(picture, {}, {}));
    }

    // Right-clicks the character at `position` and answers the menu shown.
    QMenu* rightClick(int position)
    {
        QTextCursor cursor(editor.control()->document());
        cursor.setPosition(position);
        const QPoint point = editor.control()->cursorRect(cursor).center() + QPoint(3, 0);
        QTest::mouseClick(editor.control()->viewport(), Qt::RightButton, {}, point);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }

    static QStringList captionsOf(const QMenu* menu)
    {
        QStringList captions;
        for (const QAction* action : menu->actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return captions;
    }

    ScriptedDesktop desktop;
    TZvRichEdit editor;
};

} // namespace

TEST_F(EditorObjectsTest, ASelectedPictureAddsItsItemsToThePopupMenuUntilTheNextOne)
{
    QMenu popup;
    popup.addAction(QStringLiteral("Kopírovat"));
    editor.setPopupMenu(&popup);
    editor.SelectRange(5, 6, false);
    QMenu* shown = rightClick(5);
    ASSERT_EQ(shown, &popup);
    EXPECT_EQ(captionsOf(shown),
              (QStringList{QStringLiteral("Kopírovat"), QStringLiteral("-"),
                           QStringLiteral("Obrázek Properties"), QStringLiteral("Obrázek")}));
    const QMenu* verbs = shown->actions().last()->menu();
    ASSERT_NE(verbs, nullptr);
    EXPECT_EQ(captionsOf(verbs), QStringList{QStringLiteral("Otevřít")});
    shown->close();

    editor.SelectRange(1, 2, false);
    shown = rightClick(1);
    ASSERT_EQ(shown, &popup);
    EXPECT_EQ(captionsOf(shown), QStringList{QStringLiteral("Kopírovat")});
    shown->close();
}

TEST_F(EditorObjectsTest, WithoutAPopupMenuTheObjectsOwnMenuIsShownWithPropertiesFirst)
{
    editor.SelectRange(5, 6, false);
    QMenu* shown = rightClick(5);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(captionsOf(shown),
              (QStringList{QStringLiteral("Obrázek Properties"), QStringLiteral("Otevřít")}));
    shown->close();
    editor.setAutoVerbMenu(false);
    EXPECT_EQ(rightClick(5), nullptr);
}

TEST_F(EditorObjectsTest, ThePropertiesDialogNamesThePictureAndWhereItLives)
{
    editor.SelectRange(5, 5, false);
    EXPECT_FALSE(editor.ShowObjectPropertiesDialog()); // the caret alone selects no object
    editor.SelectRange(5, 6, false);
    editor.setTitle(QStringLiteral("dopis.rtf"));
    desktop.queueObjectPropertiesAnswer(true);
    EXPECT_TRUE(editor.ShowObjectPropertiesDialog());
    const auto calls = desktop.callsOf(ScriptedDesktop::CallKind::ObjectPropertiesDialog);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].properties.caption, QStringLiteral("Obrázek Properties"));
    EXPECT_EQ(calls[0].properties.location,
              QStringLiteral("dopis.rtf - ") + QApplication::applicationDisplayName());
    EXPECT_EQ(calls[0].properties.picture.size(), QSize(30, 20));
}

TEST_F(EditorObjectsTest, PicturesSurviveTheControlsRecreation)
{
    editor.setWordWrap(false);
    editor.SelectRange(5, 6, false);
    EXPECT_EQ(editor.SelectionKind(), TSelectionKind(stObject));
    EXPECT_EQ(editor.control()->ObjectImage(editor.control()->SelectedObject()).pixelColor(0, 0),
              QColor(Qt::blue));
}
