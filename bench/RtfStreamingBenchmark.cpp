// Streaming speed of a large RTF document through the editor's Lines, as the
// converter and the Save command use it: loading from a stream, saving as RTF
// and saving as plain text, each into memory so that only the reader and
// writer are measured. The editor is not shown, as in zorvan-convert.
// Goal: saving the loaded 10 MB document as RTF in well under a second.
//
//   RtfStreamingBenchmark FILE.rtf [benchmark options]
//   ZORVAN_BENCH_RTF=FILE.rtf RtfStreamingBenchmark [benchmark options]
//
// bench/interop/speed.py generates the file and runs this program.

#include "bench/BenchmarkMain.h"
#include "editcontrol/RichEditControl.h"
#include "richedit/TRichEditStrings.h"
#include "richedit/TZvRichEdit.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

QString g_documentPath;

const QByteArray& documentBytes()
{
    static const QByteArray bytes = [] {
        QFile file(g_documentPath);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return file.readAll();
    }();
    return bytes;
}

void loadInto(TZvRichEdit& editor, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    editor.Lines().setStreamFormat(TRichStreamFormat::sfRichText);
    editor.Lines().LoadFromStream(buffer);
}

TZvRichEdit& loadedEditor()
{
    static TZvRichEdit* editor = [] {
        auto* edit = new TZvRichEdit;
        edit->setMaxLength(0x7FFFFFF0);
        loadInto(*edit, documentBytes());
        return edit;
    }();
    return *editor;
}

qint64 saveFrom(TZvRichEdit& editor, TRichStreamFormat format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    editor.Lines().setStreamFormat(format);
    editor.Lines().SaveToStream(buffer);
    return buffer.size();
}

void BM_LoadFromStream(benchmark::State& state)
{
    const QByteArray& bytes = documentBytes();
    qint64 characters = 0;
    for (auto _ : state) {
        // Only the load is timed, not making the editor nor destroying the document.
        state.PauseTiming();
        auto editor = std::make_unique<TZvRichEdit>();
        editor->setMaxLength(0x7FFFFFF0);
        state.ResumeTiming();
        loadInto(*editor, bytes);
        state.PauseTiming();
        characters = editor->control()->GetTextLength();
        editor.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
    state.counters["characters"] = double(characters);
}
BENCHMARK(BM_LoadFromStream)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saving the loaded document in one of the two kinds; `counter` names the bytes written.
void BM_SaveToStream(benchmark::State& state, TRichStreamFormat format, const char* counter)
{
    TZvRichEdit& editor = loadedEditor();
    qint64 written = 0;
    for (auto _ : state)
        written = saveFrom(editor, format);
    state.SetBytesProcessed(int64_t(state.iterations()) * written);
    state.counters[counter] = double(written);
}
BENCHMARK_CAPTURE(BM_SaveToStream, AsRtf, TRichStreamFormat::sfRichText, "rtf_bytes")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK_CAPTURE(BM_SaveToStream, AsPlainText, TRichStreamFormat::sfPlainText, "text_bytes")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [](int argc, char** argv) {
        // What is left after the benchmark options is the document.
        g_documentPath =
            argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("ZORVAN_BENCH_RTF");
        if (!g_documentPath.isEmpty() && !documentBytes().isEmpty())
            return true;
        std::fprintf(stderr, "usage: RtfStreamingBenchmark FILE.rtf (or ZORVAN_BENCH_RTF=FILE.rtf)\n");
        return false;
    });
}
