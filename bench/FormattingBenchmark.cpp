// Speed of the character formatting commands on a large document: 1 MB of text
// in 20,000 paragraphs, the whole text selected; argument 0 is plain text,
// argument 1 has a bold word and a coloured word in every paragraph (five runs
// a paragraph, 100,000 in all). Goals: the bold button on the whole text, and
// the tool-bar refresh that a click or an arrow key runs, each under 50 ms; a
// caret move with the ruler following under 1 ms.

#include "app/TMainform.h"
#include "bench/BenchmarkMain.h"
#include "format/TextFormatProperties.h"
#include "editcontrol/RichEditControl.h"
#include "platform/ScriptedDesktop.h"
#include "richedit/TZvRichEdit.h"

#include <QTemporaryDir>
#include <QTextCursor>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

constexpr int Paragraphs = 20000;

enum Formatting { Plain, Formatted };

TMainform* newLargeDocumentWindow(Formatting formatting)
{
    static ScriptedDesktop desktop;
    static QTemporaryDir programFolder;
    SetProgramFolderForTesting(programFolder.path());
    auto* form = new TMainform(desktop, {});
    form->show();
    QTextCharFormat plain;
    QTextCharFormat bold;
    QTextCharFormat red;
    if (formatting == Formatted) {
        bold.setFontWeight(QFont::Bold);
        TextFormatProperties::setCharTextColor(red, Qt::red);
    }
    QTextCursor cursor(form->editor->control()->document());
    cursor.beginEditBlock();
    for (int i = 0; i < Paragraphs; ++i) {
        cursor.insertText(QStringLiteral("Příliš žluťoučký "), plain);
        cursor.insertText(QStringLiteral("kůň"), bold);
        cursor.insertText(QStringLiteral(" úpěl ďábelské "), plain);
        cursor.insertText(QStringLiteral("ódy"), red);
        cursor.insertText(QStringLiteral(", odstavec %1").arg(i), plain);
        if (i + 1 < Paragraphs)
            cursor.insertBlock();
    }
    cursor.endEditBlock();
    form->editor->SelectAll();
    QApplication::processEvents();
    return form;
}

TMainform& largeDocumentWindow(const benchmark::State& state)
{
    static TMainform* windows[] = {newLargeDocumentWindow(Plain), newLargeDocumentWindow(Formatted)};
    return *windows[state.range(0)];
}

void BM_BoldButtonOnTheWholeText(benchmark::State& state)
{
    TMainform& window = largeDocumentWindow(state);
    window.editor->SelectAll();
    for (auto _ : state) {
        window.tucne->click(); // alternately bold and not bold
        benchmark::DoNotOptimize(window.tucne->isChecked());
    }
    state.counters["characters"] = window.editor->control()->GetTextLength();
}
BENCHMARK(BM_BoldButtonOnTheWholeText)->Arg(Plain)->Arg(Formatted)->Unit(benchmark::kMillisecond);

// A click or an arrow key after the selection changed: every refresh reads a
// selection the editor has not been asked about before.
void BM_ToolBarRefreshFromTheWholeText(benchmark::State& state)
{
    TMainform& window = largeDocumentWindow(state);
    const int length = window.editor->control()->GetTextLength();
    int iteration = 0;
    for (auto _ : state) {
        window.editor->SelectRange(iteration++ % 2, length, false);
        window.UpdateFormatControls();
    }
}
BENCHMARK(BM_ToolBarRefreshFromTheWholeText)->Arg(Plain)->Arg(Formatted)->Unit(benchmark::kMillisecond);

// Moving the caret one paragraph on: the editor reports the selection change
// and the ruler follows the paragraph.
void BM_CaretMoveWithTheRulerFollowing(benchmark::State& state)
{
    TMainform& window = largeDocumentWindow(state);
    const int length = window.editor->control()->GetTextLength();
    int position = 0;
    for (auto _ : state) {
        position = (position + 55) % length;
        window.editor->SelectRange(position, position, false); // runs editorSelectionChange
        benchmark::DoNotOptimize(window.ruler->IndentFirst());
    }
}
BENCHMARK(BM_CaretMoveWithTheRulerFollowing)->Arg(Plain)->Arg(Formatted)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
