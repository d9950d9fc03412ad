// The insert date and time, select all, undo and redo commands.

#include "tests/app/MainformFixture.h"

#include "editcontrol/RichEditControl.h"

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
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.\\d{2,4}( \\d{1,2}:\\d{2}:\\d{2})?$"))
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

TEST_F(MainformEditCommandsTest, OnlyWebAndMailLinksAreOpenedAndLocalFilesAfterAsking)
{
    TMainform& window = createForm();
    const struct
    {
        const char* link;
        int answer;         // to the question about a local file; 0: no question expected
        const char* opened; // what reaches the desktop; empty: nothing
    } rows[] = {
        {"http://example.org/a?b=1", 0, "http://example.org/a?b=1"},
        {"HTTPS://example.org", 0, "HTTPS://example.org"},
        {"ftp://ftp.example.org/pub", 0, "ftp://ftp.example.org/pub"},
        {"mailto:jana@example.org", 0, "mailto:jana@example.org"},
        {"www.example.cz", 0, "http://www.example.cz"},
        {"file:///home/jana/dopis.rtf", IDYES, "file:///home/jana/dopis.rtf"},
        {"file:///usr/bin/xterm", IDNO, ""},
        {"telnet://example.org", 0, ""},
        {"news:comp.lang", 0, ""},
        {"javascript:alert(1)", 0, ""},
    };
    for (const auto& row : rows) {
        desktop.clear();
        if (row.answer)
            desktop.queueMessageBoxAnswer(row.answer);
        window.editorURLClick(window.editor, QString::fromLatin1(row.link), TMouseButton::mbLeft);
        EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::MessageBox).size(), row.answer ? 1u : 0u)
            << row.link;
        const auto opened = desktop.callsOf(ScriptedDesktop::CallKind::ShellExecuteOpen);
        EXPECT_EQ(opened.empty() ? QString() : opened.front().text, QString::fromLatin1(row.opened))
            << row.link;
    }
}
