// How long the font name combo box takes to fill its list. The main window
// fills it while it is created, so it must stay well under 50 ms with every
// installed family; a list of 2,000 faces shows how it grows on a machine with
// many fonts. The first question to the font database of a process reads the
// font configuration, and the first list of faces opens each family once: both
// costs are printed before the benchmarks.

#include "bench/BenchmarkMain.h"

#include "widgets/TZvFontComboBox.h"

#include <QElapsedTimer>
#include <QFontDatabase>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// A fresh box shown "MS Sans Serif", as the main window does: the list is
// filled with every installed family and the substitute is looked up.
void BM_FillWithEveryInstalledFamily(benchmark::State& state)
{
    int faces = 0;
    for (auto _ : state) {
        TZvFontComboBox box;
        box.setFontName(QStringLiteral("MS Sans Serif"));
        faces = box.count();
        benchmark::DoNotOptimize(box.FontName());
    }
    state.counters["faces"] = faces;
}
BENCHMARK(BM_FillWithEveryInstalledFamily)->Unit(benchmark::kMillisecond);

void BM_FillWithManyFaces(benchmark::State& state)
{
    const int count = int(state.range(0));
    QList<FontFace> many;
    for (int index = 0; index < count; ++index)
        many.append(
            {QStringLiteral("Face number %1").arg(index), TRUETYPE_FONTTYPE, ANSI_CHARSET, VARIABLE_PITCH});
    const FontSources sources{[&many] { return many; }, [] { return QList<FontFace>{}; }};
    for (auto _ : state) {
        TZvFontComboBox box(nullptr, sources);
        box.setFontName(QStringLiteral("Face number %1").arg(count - 1));
        benchmark::DoNotOptimize(box.ItemIndex());
    }
    state.counters["faces"] = count;
}
BENCHMARK(BM_FillWithManyFaces)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [](int, char**) {
        QElapsedTimer timer;
        timer.start();
        const qsizetype families = QFontDatabase::families().size();
        const double database = timer.nsecsElapsed() / 1e6;
        timer.restart();
        const qsizetype faces = FontSources::screenFaces().size();
        std::printf("first look at the font database: %lld families in %.1f ms; the first list of them: "
                    "%lld faces in %.1f ms more\n",
                    qint64(families), database, qint64(faces), timer.nsecsElapsed() / 1e6);
        return true;
    });
}
