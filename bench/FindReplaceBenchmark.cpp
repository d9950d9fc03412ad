// Cost of searching and replacing through the find and replace dialogs in a
// 10 MB document (200,000 paragraphs of about 50 characters) shown in the main
// window. BM_FindNearTheEnd: "Najít další" from the start for a word that
// stands only near the end, with and without match case and whole words.
// Goal: under 100 ms. BM_ReplaceAll: "Nahradit vše" from the start of a word
// with 10,000 hits, in every second paragraph of a 1 MB document and in every
// twentieth of a 10 MB one. Goal: under 1 s.

#include "app/TMainform.h"
#include "bench/BenchmarkMain.h"
#include "editcontrol/RichEditControl.h"
#include "platform/ScriptedDesktop.h"
#include "richedit/TZvRichEdit.h"

#include <QTemporaryDir>
#include <QTextCursor>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace {

const QString FarWord = QStringLiteral("Hledáček");
const QString Cat = QStringLiteral("kočka");
const QString Tomcat = QStringLiteral("kocour");

ScriptedDesktop& desktop()
{
    static ScriptedDesktop scripted;
    return scripted;
}

// A shown main window with `paragraphs` paragraphs of about 50 characters;
// every paragraphsPerCat-th holds Cat, and the tenth paragraph from the end FarWord.
TMainform* newDocumentWindow(int paragraphs, int paragraphsPerCat)
{
    static QTemporaryDir programFolder;
    SetProgramFolderForTesting(programFolder.path());
    auto* window = new TMainform(desktop(), {});
    window->resize(969, 623);
    window->show();
    window->editor->setDesktop(&desktop());
    QTextCursor cursor(window->editor->control()->document());
    cursor.beginEditBlock();
    for (int i = 0; i < paragraphs; ++i) {
        const QString word = i % paragraphsPerCat ? QStringLiteral("ódy") : Cat;
        cursor.insertText(
            QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské %1, číslo %2.").arg(word).arg(i));
        if (i == paragraphs - 10)
            cursor.insertText(QLatin1Char(' ') + FarWord);
        if (i + 1 < paragraphs)
            cursor.insertBlock();
    }
    cursor.endEditBlock();
    QApplication::processEvents();
    return window;
}

// 10,000 cats in 1 MB or in 10 MB.
TMainform& documentWindow(int megabytes)
{
    static TMainform* small = newDocumentWindow(20000, 2);
    if (megabytes == 1)
        return *small;
    static TMainform* large = newDocumentWindow(200000, 20);
    return *large;
}

// Times `work` with the events it leaves behind (repainting, layout).
double secondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    QApplication::processEvents();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_FindNearTheEnd(benchmark::State& state)
{
    TZvRichEdit& editor = *documentWindow(10).editor;
    TFindDialog* dialog = editor.ShowFindDialog(state.range(0) ? FarWord : FarWord.toUpper());
    dialog->setOptions(frDown | (state.range(0) ? TFindOptions(frMatchCase) : 0) |
                       (state.range(1) ? TFindOptions(frWholeWord) : 0));
    for (auto _ : state) {
        editor.SelectRange(0, 0, false);
        state.SetIterationTime(secondsOf([&] { dialog->pressFindNext(); }));
        if (editor.SelectedText().compare(FarWord, Qt::CaseInsensitive) != 0)
            state.SkipWithError("the word was not found");
    }
}

void BM_ReplaceAll(benchmark::State& state)
{
    TZvRichEdit& editor = *documentWindow(int(state.range(0))).editor;
    TFindDialog* dialog = editor.ShowReplaceDialog(Cat, Tomcat);
    dialog->setOptions(frDown | frMatchCase);
    int changes = 0;
    editor.OnChange = [&](TZvCustomRichEdit*) { ++changes; };
    for (auto _ : state) {
        editor.SelectRange(0, 0, false);
        changes = 0;
        state.SetIterationTime(secondsOf([&] { dialog->pressReplaceAll(); }));
        if (changes != 1 || editor.SelectedText() != dialog->ReplaceText())
            state.SkipWithError("replace all did not end with one change and the last replacement selected");
        // The next round replaces the other way, so every round finds 10,000 hits.
        const QString replaced = dialog->FindText();
        dialog->setFindText(dialog->ReplaceText());
        dialog->setReplaceText(replaced);
    }
    editor.OnChange = nullptr;
}

} // namespace

BENCHMARK(BM_FindNearTheEnd)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"matchcase", "wholeword"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_ReplaceAll)
    ->Arg(1)
    ->Arg(10)
    ->ArgName("MB")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
