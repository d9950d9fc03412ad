// Editing speed of the editor control in a large document: 1 MB of text in
// 20,000 paragraphs, shown and laid out with word wrap, as a user has it.
// Goal: a typed character (ReplaceSel of one character) and EM_EXLINEFROMCHAR
// near the end each well under 1 ms.

#include "bench/BenchmarkMain.h"
#include "editcontrol/RichEditControl.h"
#include "richedit/TZvRichEdit.h"

#include <QApplication>
#include <QTextCursor>

#include <benchmark/benchmark.h>

namespace {

constexpr int Paragraphs = 20000;

// Positions in the last 2,000 paragraphs, one per iteration in turn, so that no
// single paragraph grows long over the many iterations.
int positionNearTheEnd(RichEditControl* control, int iteration)
{
    const int fromEnd = (iteration % 2000) * 52 + 30;
    return std::max(0, control->GetTextLength() - fromEnd);
}

TZvRichEdit& largeEditor()
{
    static TZvRichEdit* editor = [] {
        auto* edit = new TZvRichEdit;
        edit->resize(860, 600);
        edit->show();
        // About 50 characters a paragraph: 1 MB of text.
        const QString paragraph = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy, odstavec ");
        QTextCursor cursor(edit->control()->document());
        cursor.beginEditBlock();
        for (int i = 0; i < Paragraphs; ++i) {
            cursor.insertText(paragraph + QString::number(i));
            if (i + 1 < Paragraphs)
                cursor.insertBlock();
        }
        cursor.endEditBlock();
        QApplication::processEvents();
        return edit;
    }();
    return *editor;
}

void BM_ReplaceSelOneCharacterNearTheEnd(benchmark::State& state)
{
    RichEditControl* control = largeEditor().control();
    int iteration = 0;
    for (auto _ : state) {
        const int position = positionNearTheEnd(control, iteration++);
        control->ExSetSel({position, position});
        control->ReplaceSel(true, QStringLiteral("x"));
        benchmark::DoNotOptimize(control->GetTextLength());
    }
    state.counters["characters"] = control->GetTextLength();
}
BENCHMARK(BM_ReplaceSelOneCharacterNearTheEnd)->Unit(benchmark::kMicrosecond);

void BM_ReplaceSelOneCharacterNearTheStart(benchmark::State& state)
{
    // Everything after the edit has to move down: the worst place to type.
    RichEditControl* control = largeEditor().control();
    int iteration = 0;
    for (auto _ : state) {
        const int position = (iteration++ % 2000) * 52 + 10;
        control->ExSetSel({position, position});
        control->ReplaceSel(true, QStringLiteral("x"));
        benchmark::DoNotOptimize(control->GetTextLength());
    }
}
BENCHMARK(BM_ReplaceSelOneCharacterNearTheStart)->Unit(benchmark::kMicrosecond);

void BM_TypedCharacterThenLineFromChar(benchmark::State& state)
{
    // The status bar asks for the caret's line after every key: an edit followed
    // by a line question, so the line index really has to follow the edit.
    RichEditControl* control = largeEditor().control();
    int iteration = 0;
    for (auto _ : state) {
        const int position = positionNearTheEnd(control, iteration++);
        control->ExSetSel({position, position});
        control->ReplaceSel(true, QStringLiteral("y"));
        benchmark::DoNotOptimize(control->ExLineFromChar(position));
    }
}
BENCHMARK(BM_TypedCharacterThenLineFromChar)->Unit(benchmark::kMicrosecond);

void BM_LineFromCharNearTheEnd(benchmark::State& state)
{
    RichEditControl* control = largeEditor().control();
    const int position = control->GetTextLength() - 10;
    for (auto _ : state)
        benchmark::DoNotOptimize(control->ExLineFromChar(position));
    state.counters["lines"] = control->GetLineCount();
}
BENCHMARK(BM_LineFromCharNearTheEnd)->Unit(benchmark::kMicrosecond);

void BM_UndoRedoNearTheEnd(benchmark::State& state)
{
    RichEditControl* control = largeEditor().control();
    control->ExSetSel({control->GetTextLength() - 5, control->GetTextLength() - 5});
    control->ReplaceSel(true, QStringLiteral("z"));
    for (auto _ : state) {
        control->Undo();
        control->Redo();
    }
}
BENCHMARK(BM_UndoRedoNearTheEnd)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
