#include "platform/ScriptedDesktop.h"

#include <gtest/gtest.h>

TEST(ScriptedDesktopTest, MessageBoxAnswersComeFromTheQueueInOrder)
{
    ScriptedDesktop desktop;
    desktop.queueMessageBoxAnswer(IDNO);
    desktop.queueMessageBoxAnswer(IDYES);
    EXPECT_EQ(desktop.messageBox(QStringLiteral("a"), QStringLiteral("c"), MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(desktop.messageBox(QStringLiteral("b"), QStringLiteral("c"), MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(desktop.messageTexts(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(desktop.unansweredCalls(), 0);
    EXPECT_EQ(desktop.pendingAnswers(), 0);
}

TEST(ScriptedDesktopTest, UnqueuedMessageBoxesAnswerLikeAClosedBoxAndAreCounted)
{
    ScriptedDesktop desktop;
    EXPECT_EQ(desktop.messageBox(QStringLiteral("info"), QString(), MB_OK), IDOK);
    EXPECT_EQ(desktop.unansweredCalls(), 0); // an OK box needs no answer
    EXPECT_EQ(desktop.messageBox(QStringLiteral("?"), QString(), MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(desktop.messageBox(QStringLiteral("?"), QString(), MB_YESNO), IDNO);
    EXPECT_EQ(desktop.unansweredCalls(), 2);
}

TEST(ScriptedDesktopTest, RecordsTheArgumentsOfEveryCall)
{
    ScriptedDesktop desktop;
    desktop.messageBox(QStringLiteral("text"), QStringLiteral("caption"), MB_OK | MB_ICONERROR);
    desktop.messageBeep(0);
    desktop.shellExecuteOpen(QStringLiteral("https://example.org"));
    ASSERT_EQ(desktop.calls().size(), 3u);
    EXPECT_EQ(desktop.calls()[0].kind, ScriptedDesktop::CallKind::MessageBox);
    EXPECT_EQ(desktop.calls()[0].caption, QStringLiteral("caption"));
    EXPECT_EQ(desktop.calls()[0].flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(desktop.calls()[1].kind, ScriptedDesktop::CallKind::MessageBeep);
    EXPECT_EQ(desktop.calls()[2].text, QStringLiteral("https://example.org"));
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::MessageBeep).size(), 1u);
}

TEST(ScriptedDesktopTest, AcceptedFileDialogReturnsTheQueuedNameAndType)
{
    ScriptedDesktop desktop;
    desktop.queueFileDialogAnswer(QStringLiteral("/tmp/a.txt"), 4);
    FileDialogOptions options;
    options.filters = {{QStringLiteral("Zorvan text(*.zvd)"), QStringLiteral("*.zvd")}};
    options.fileName = QStringLiteral("nový dokument");
    ASSERT_TRUE(desktop.saveFileDialog(options));
    EXPECT_EQ(options.fileName, QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(options.filterIndex, 4);
    // The record shows the dialog as it was shown, before the answer.
    const auto saves = desktop.callsOf(ScriptedDesktop::CallKind::SaveFileDialog);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].dialog.fileName, QStringLiteral("nový dokument"));
    EXPECT_EQ(saves[0].dialog.filters, options.filters);
}

TEST(ScriptedDesktopTest, CancelledOrUnansweredFileDialogLeavesTheOptionsAlone)
{
    ScriptedDesktop desktop;
    desktop.queueFileDialogCancel();
    FileDialogOptions options;
    options.fileName = QStringLiteral("x");
    options.filterIndex = 2;
    EXPECT_FALSE(desktop.openFileDialog(options));
    EXPECT_EQ(desktop.unansweredCalls(), 0);
    EXPECT_FALSE(desktop.openFileDialog(options));
    EXPECT_EQ(desktop.unansweredCalls(), 1);
    EXPECT_EQ(options.fileName, QStringLiteral("x"));
    EXPECT_EQ(options.filterIndex, 2);
}
