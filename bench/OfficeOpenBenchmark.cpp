// Opening a large Word or OpenDocument document in the editor, as the Open command does:
// the file read through Lines into a new editor until it holds the whole document; then
// its steps on their own (the package read into a document, that document written as RTF)
// and saving the loaded document back in the file's own format, into memory.
// Goal: a 10 MB document (bench/interop/office-speed.sh makes one) opens in under a second.
//
//   OfficeOpenBenchmark FILE.docx|FILE.odt [benchmark options]

#include "bench/BenchmarkMain.h"
#include "editcontrol/RichEditControl.h"
#include "office/OfficeDocument.h"
#include "richedit/TRichEditStrings.h"
#include "richedit/TZvRichEdit.h"
#include "rtf/RtfWriter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

QString g_documentPath;

const QByteArray& documentBytes()
{
    static const QByteArray bytes = [] {
        QFile file(g_documentPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return bytes;
}

std::unique_ptr<TZvRichEdit> newEditor()
{
    auto editor = std::make_unique<TZvRichEdit>();
    editor->setMaxLength(0x7FFFFFF0);
    return editor;
}

void BM_OpenFile(benchmark::State& state)
{
    int characters = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TZvRichEdit> editor = newEditor();
        state.ResumeTiming();
        editor->Lines().LoadFromFile(g_documentPath);
        state.PauseTiming();
        characters = editor->control()->GetTextLength();
        editor.reset();
        state.ResumeTiming();
    }
    state.counters["characters"] = characters;
}
BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadPackage(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<QTextDocument>();
        document->setUndoRedoEnabled(false);
        state.ResumeTiming();
        QString error;
        if (!OfficeDocument::read(documentBytes(), *document, error))
            state.SkipWithError(qPrintable(error));
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadPackage)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteRtfOfPackage(benchmark::State& state)
{
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    QString error;
    if (!OfficeDocument::read(documentBytes(), document, error))
        state.SkipWithError(qPrintable(error));
    for (auto _ : state) {
        QByteArray rtf;
        RtfWriter(document).write([&](const char* data, qsizetype size) {
            rtf.append(data, size);
            return true;
        });
        benchmark::DoNotOptimize(rtf);
    }
}
BENCHMARK(BM_WriteRtfOfPackage)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saving the opened document in the format its extension names.
void BM_SaveInItsFormat(benchmark::State& state)
{
    std::unique_ptr<TZvRichEdit> editor = newEditor();
    editor->Lines().LoadFromFile(g_documentPath);
    const QString name = QStringLiteral("kopie.") + QFileInfo(g_documentPath).suffix();
    const TRichConversionFormat* format = nullptr;
    for (const TRichConversionFormat& entry : ConversionFormatList())
        if (name.endsWith(QLatin1Char('.') + entry.Extension))
            format = &entry;
    editor->Lines().setConverter(format->ConversionClass());
    editor->Lines().setStreamFormat(TRichStreamFormat::sfRichText);
    qint64 written = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        editor->Lines().SaveToStream(buffer);
        written = buffer.size();
    }
    state.counters["bytes"] = double(written);
}
BENCHMARK(BM_SaveInItsFormat)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [](int argc, char** argv) {
        g_documentPath = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
        if (!g_documentPath.isEmpty() && !documentBytes().isEmpty())
            return true;
        std::fprintf(stderr, "usage: OfficeOpenBenchmark FILE.docx|FILE.odt [benchmark options]\n");
        return false;
    });
}
