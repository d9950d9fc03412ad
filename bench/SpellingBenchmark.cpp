// The two spelling libraries the program could stand on, side by side on the same words:
// loading the Czech dictionary, checking every word of a large Czech document (words a
// second) and suggesting for misspelled words; then the program's own SpellChecker over the
// document's paragraphs, word finding included. Before measuring, both libraries are asked
// about every distinct word of the document and every difference is printed: the program
// may only switch to the faster one if they agree.
//
//   SpellingBenchmark FILE.rtf [benchmark options]
//
// The 10 MB document: python3 /work/shared/bench/make-big-rtf.py --mb 10 -o big10.rtf
// (or bench/interop/speed.py's). Needs hunspell-cs, libhunspell-dev and libnuspell-dev.

#include "bench/BenchmarkMain.h"
#include "rtf/RtfReader.h"
#include "spelling/SpellChecker.h"
#include "spelling/SpellingWords.h"

#include <QFile>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>
#include <hunspell.hxx>
#include <nuspell/dictionary.hxx>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const AffixPath = "/usr/share/hunspell/cs_CZ.aff";
const char* const DictionaryPath = "/usr/share/hunspell/cs_CZ.dic";

std::unique_ptr<QTextDocument> g_document;
std::vector<std::string> g_words; // every word of the document in order, as the dictionary checks it
const std::vector<std::string> Misspelled = {"přílyš", "Českoslovesnko", "vlada",
                                             "dobrz",  "učytel",         "mněsto"};

bool readDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    g_document = std::make_unique<QTextDocument>();
    RtfReader reader{QTextCursor(g_document.get())};
    if (!reader.feed(bytes.constData(), bytes.size()) || !reader.finish())
        return false;
    for (QTextBlock block = g_document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const SpellingWords::Span word : SpellingWords::wordsIn(text))
            for (const SpellingWords::Span piece : SpellingWords::piecesOf(text, word, QString()))
                g_words.push_back(text.mid(piece.start, piece.length).toStdString());
    }
    return !g_words.empty();
}

Hunspell& hunspell()
{
    static Hunspell dictionary(AffixPath, DictionaryPath);
    return dictionary;
}

const nuspell::Dictionary& nuspellDictionary()
{
    static const nuspell::Dictionary dictionary = [] {
        nuspell::Dictionary loaded;
        loaded.load_aff_dic(AffixPath);
        return loaded;
    }();
    return dictionary;
}

// Prints each distinct word the libraries disagree on; true when there is none.
bool librariesAgree()
{
    std::vector<std::string> distinct = g_words;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    int differences = 0;
    int misspelled = 0;
    for (const std::string& word : distinct) {
        const bool byHunspell = hunspell().spell(word);
        misspelled += !byHunspell;
        if (byHunspell == nuspellDictionary().spell(word))
            continue;
        ++differences;
        std::fprintf(stderr, "differ: %s (Hunspell %s)\n", word.c_str(),
                     byHunspell ? "knows it" : "does not");
    }
    std::fprintf(stderr, "%zu words, %zu distinct, %d of them misspelled; the libraries differ on %d\n",
                 g_words.size(), distinct.size(), misspelled, differences);
    return differences == 0;
}

void HunspellLoad(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(std::make_unique<Hunspell>(AffixPath, DictionaryPath));
}
BENCHMARK(HunspellLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

void NuspellLoad(benchmark::State& state)
{
    for (auto _ : state) {
        nuspell::Dictionary dictionary;
        dictionary.load_aff_dic(AffixPath);
        benchmark::DoNotOptimize(dictionary);
    }
}
BENCHMARK(NuspellLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

void HunspellCheck(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& word : g_words)
            benchmark::DoNotOptimize(hunspell().spell(word));
    state.SetItemsProcessed(int64_t(state.iterations() * g_words.size()));
}
BENCHMARK(HunspellCheck)->Unit(benchmark::kMillisecond)->Iterations(2);

void NuspellCheck(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& word : g_words)
            benchmark::DoNotOptimize(nuspellDictionary().spell(word));
    state.SetItemsProcessed(int64_t(state.iterations() * g_words.size()));
}
BENCHMARK(NuspellCheck)->Unit(benchmark::kMillisecond)->Iterations(2);

void HunspellSuggest(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& word : Misspelled)
            benchmark::DoNotOptimize(hunspell().suggest(word));
    state.SetItemsProcessed(int64_t(state.iterations() * Misspelled.size()));
}
BENCHMARK(HunspellSuggest)->Unit(benchmark::kMillisecond)->Iterations(3);

void NuspellSuggest(benchmark::State& state)
{
    std::vector<std::string> suggestions;
    for (auto _ : state)
        for (const std::string& word : Misspelled)
            nuspellDictionary().suggest(word, suggestions);
    state.SetItemsProcessed(int64_t(state.iterations() * Misspelled.size()));
}
BENCHMARK(NuspellSuggest)->Unit(benchmark::kMillisecond)->Iterations(3);

// What a window painting its first screen waits for: making a checker and asking about the first
// paragraph while the dictionary is still loading (the wait for the load at the end is not timed).
void SpellCheckerFirstParagraphWhileLoading(benchmark::State& state)
{
    for (auto _ : state) {
        auto checker = std::make_unique<SpellChecker>();
        benchmark::DoNotOptimize(checker->misspelledWords(g_document->firstBlock()));
        state.PauseTiming();
        checker.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(SpellCheckerFirstParagraphWhileLoading)->Unit(benchmark::kMillisecond)->Iterations(5);

// How long after a checker is made the Czech dictionary is ready.
void SpellCheckerReady(benchmark::State& state)
{
    for (auto _ : state) {
        SpellChecker checker;
        checker.waitUntilLoaded();
    }
}
BENCHMARK(SpellCheckerReady)->Unit(benchmark::kMillisecond)->Iterations(5);

// The program's checker over every paragraph: word finding, languages and the dictionary.
void SpellCheckerParagraphs(benchmark::State& state)
{
    SpellChecker checker;
    checker.waitUntilLoaded();
    for (auto _ : state)
        for (QTextBlock block = g_document->begin(); block.isValid(); block = block.next())
            benchmark::DoNotOptimize(checker.misspelledWords(block));
    state.SetItemsProcessed(int64_t(state.iterations() * g_words.size()));
}
BENCHMARK(SpellCheckerParagraphs)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [](int argc, char** argv) {
        if (argc < 2 || !readDocument(QString::fromLocal8Bit(argv[1]))) {
            std::fprintf(stderr, "usage: SpellingBenchmark FILE.rtf [benchmark options]\n");
            return false;
        }
        return librariesAgree();
    });
}
