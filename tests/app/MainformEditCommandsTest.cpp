// The insert date and time, select all, undo and redo commands.

#include "tests/app/MainformFixture.h"

#include "platform/RichEditControl.h"

#include <QRegularExpression>
#include <QToolButton>

namespace {

class MainformEditCommandsTest : public MainformFixture
{
};

} // namespace

TEST_F(MainformEditCommandsTest, DateAndTimeGoIntoANewLastLineLeavingTheTextAtTheCaret)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("první\r\ndruhý"));
    window.editor->SelectRange(2, 2, false);
    window.Vloitdatumaas1Click(window.Datumaas1);
    const QStringList lines = window.editor->Text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 2), (QStringList{QStringLiteral("první"), QStringLiteral("druhý")}));
    // The Czech short date and long time, as "08.12.26 20:46:30".
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.\\d{2,4}( \\d{1,2}:\\d{2}:\\d{2})?$"))
                    .match(lines[2])
                    .hasMatch())
        << lines[2].toStdString();
}

TEST_F(MainformEditCommandsTest, SelectAllSelectsEveryCharacterAndUndoRedoStepThroughEdits)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("ab\r\ncd"));
    window.Vybratve1Click(window.Vybratve1);
    EXPECT_EQ(window.editor->SelectionStart(), 0);
    EXPECT_EQ(window.editor->SelectionLength(), window.editor->control()->GetTextLength());

    window.editor->setSelectedText(QStringLiteral("nový"));
    window.undoClick(window.undo);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("ab\r\ncd"));
    window.Vped1Click(window.Vped2);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("nový"));
    window.Zpt2Click(window.zpt1);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("ab\r\ncd"));
}
