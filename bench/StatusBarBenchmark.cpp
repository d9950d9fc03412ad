// Cost of the status bar's refresh after a key in a long document: the caret
// position, the character count and the word count, measured right after a
// character or a paragraph break was typed, or the caret moved one character,
// near the start, in the middle or near the end of a 1 MB (20,000 paragraphs,
// about 140,000 words) and a 10 MB document, shown at the main window's size
// with word wrap on. Goal: the three refreshes under 0.2 ms anywhere, after
// every kind of key, and no slower in the larger document.
// BM_FullRecount measures what recounting everything from Text and Lines at
// each key would cost instead; BM_PanelsShown what showing new values costs the
// window once they are known (the panels laid out and painted).

#include "app/TMainform.h"
#include "app/TStatusBar.h"
#include "bench/BenchmarkMain.h"
#include "editcontrol/RichEditControl.h"
#include "platform/ScriptedDesktop.h"
#include "richedit/TZvRichEdit.h"

#include <QTemporaryDir>
#include <QTextCursor>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

TMainform* newDocumentWindow(int paragraphs)
{
    static ScriptedDesktop desktop;
    static QTemporaryDir programFolder;
    SetProgramFolderForTesting(programFolder.path());
    auto* form = new TMainform(desktop, {});
    form->resize(969, 623);
    form->show();
    QTextCursor cursor(form->editor->control()->document());
    cursor.beginEditBlock();
    for (int i = 0; i < paragraphs; ++i) {
        // About 50 characters and 7 words; every tenth paragraph wraps.
        cursor.insertText(i % 10 ? QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy, číslo %1.").arg(i)
                                 : QString(QStringLiteral("dlouhý odstavec se zalomením ")).repeated(8));
        if (i + 1 < paragraphs)
            cursor.insertBlock();
    }
    cursor.endEditBlock();
    QApplication::processEvents();
    // The first count goes through the whole document once.
    form->ShowCaretPosition();
    form->ShowCharCount();
    form->ShowWordCount();
    return form;
}

TMainform& documentWindow(int megabytes)
{
    static TMainform* small = newDocumentWindow(20000);
    if (megabytes == 1)
        return *small;
    static TMainform* large = newDocumentWindow(200000);
    return *large;
}

enum Place { Start, Middle, End };

int positionAt(TMainform& window, Place place)
{
    const int length = window.editor->control()->GetTextLength();
    switch (place) {
    case Start:
        return 10;
    case Middle:
        return length / 2;
    case End:
        return length - 10;
    }
    return 0;
}

enum Key { Character, Enter, Arrow };

// Types a character (or a paragraph break) and takes it back in turns, so the
// document keeps its size, or moves the caret to the next character and back;
// only the refreshes after each key are timed.
template <typename Refresh> void timeAfterEdits(benchmark::State& state, Refresh refresh)
{
    TMainform& window = documentWindow(int(state.range(0)));
    const int position = positionAt(window, Place(state.range(1)));
    QTextCursor cursor(window.editor->control()->document());
    bool changed = false;
    const Key key = Key(state.range(2));
    std::vector<double> times;
    for (auto _ : state) {
        cursor.setPosition(position);
        if (key != Arrow && changed)
            cursor.deleteChar();
        else if (key == Enter)
            cursor.insertBlock();
        else if (key == Character)
            cursor.insertText(QStringLiteral("x"));
        changed = !changed;
        const int caret = key == Arrow && changed ? position + 1 : position;
        window.editor->SelectRange(caret, caret, false);
        const auto start = std::chrono::steady_clock::now();
        refresh(window);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(end - start).count());
        state.SetIterationTime(times.back());
    }
    // The mean carries every rare slow iteration; the median is the typical key.
    std::nth_element(times.begin(), times.begin() + std::ptrdiff_t(times.size() / 2), times.end());
    state.counters["median_s"] = times.empty() ? 0 : times[times.size() / 2];
}

void BM_StatusBarRefresh(benchmark::State& state)
{
    timeAfterEdits(state, [](TMainform& window) {
        window.ShowCaretPosition();
        window.ShowCharCount();
        window.ShowWordCount();
    });
}

void BM_FullRecount(benchmark::State& state)
{
    timeAfterEdits(state, [](TMainform& window) {
        benchmark::DoNotOptimize(window.editor->Text().size());
        int words = 0;
        TRichEditStrings& lines = window.editor->Lines();
        for (int line = 0; line < lines.Count(); ++line) {
            const QString text = lines.Get(line);
            for (qsizetype at = 0; at < text.size(); ++at)
                words += text[at] != u' ' && (at == 0 || text[at - 1] == u' ');
        }
        benchmark::DoNotOptimize(words);
    });
}

// What showing new values costs the window, whatever the document: panels 1
// to 3 get new texts, then the events that follow are handled (the panels laid
// out and painted).
void BM_PanelsShown(benchmark::State& state)
{
    static TMainform* window = newDocumentWindow(1);
    std::vector<double> times;
    int count = 0;
    for (auto _ : state) {
        ++count;
        const auto start = std::chrono::steady_clock::now();
        window->StatusBar1->setPanelText(1, QStringLiteral("%1:%2").arg(count).arg(count % 80));
        window->StatusBar1->setPanelText(2, QStringLiteral("Celkem zn.=%1").arg(10000000 + count));
        window->StatusBar1->setPanelText(3, QStringLiteral("Počet slov = %1").arg(1400000 + count));
        QApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(end - start).count());
        state.SetIterationTime(times.back());
    }
    std::nth_element(times.begin(), times.begin() + std::ptrdiff_t(times.size() / 2), times.end());
    state.counters["median_s"] = times.empty() ? 0 : times[times.size() / 2];
}
BENCHMARK(BM_PanelsShown)->Iterations(500)->UseManualTime()->Unit(benchmark::kMicrosecond);

void placesAndSizes(benchmark::internal::Benchmark* benchmark)
{
    for (const int megabytes : {1, 10})
        for (const Place place : {Start, Middle, End})
            for (const Key key : {Character, Enter, Arrow})
                benchmark->Args({megabytes, place, key});
    benchmark->ArgNames({"MB", "place", "key"})->UseManualTime()->Unit(benchmark::kMicrosecond);
}

} // namespace

// Fixed counts: the untimed edit near the start costs far more than the timed refresh.
BENCHMARK(BM_StatusBarRefresh)->Apply(placesAndSizes)->Iterations(200);
BENCHMARK(BM_FullRecount)->Apply(placesAndSizes)->Iterations(3);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
