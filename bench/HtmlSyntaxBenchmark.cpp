// How long the HTML plug-in takes on a 100 KB document in a shown editor. The
// program calls it before every typed character, so the steady case (nothing
// to recolour) and the case of one changed character must stay at a few
// milliseconds; the first colouring after opening a file may take longer.
//
// The plug-in is loaded from the program folder of the same build
// (build/zorvan/bin next to build/bench), or from $ZORVAN_PLUGIN_DIR.

#include "bench/BenchmarkMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <dlfcn.h>

#include <cstdio>

namespace {

using HtmlSyntaxFunction = void(QWidget*);

constexpr int DocumentSize = 100 * 1024;

QString pluginPath()
{
    const QString folder = qEnvironmentVariable("ZORVAN_PLUGIN_DIR");
    if (!folder.isEmpty())
        return QDir(folder).filePath(QStringLiteral("zorvanhtmls.dll"));
    const QString executableFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(executableFolder).dir().filePath(QStringLiteral("../zorvan/bin/zorvanhtmls.dll"));
}

// A page of typical markup: nested elements, attributes, links with
// character references, comments and plain Czech text.
QString htmlDocument()
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"cs\">\n<head><title>Zkouška</title>\n"
                                  "<style>p > a { color: red; }</style></head>\n<body>\n");
    for (int row = 0; html.size() < DocumentSize; ++row) {
        html += QStringLiteral("<div class=\"row\" id=\"r%1\"><p>Řádek %1: text s <b>tučným</b> písmem &amp; "
                               "<a href=\"https://example.org/?id=%1&amp;x=1\" title='odkaz'>odkazem</a>."
                               "</p><!-- poznámka %1 --></div>\n")
                    .arg(row);
    }
    return html + QStringLiteral("</body>\n</html>\n");
}

class Plugin
{
public:
    Plugin() : m_handle(dlopen(pluginPath().toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL))
    {
        if (m_handle != nullptr)
            m_function = reinterpret_cast<HtmlSyntaxFunction*>(dlsym(m_handle, "htmlsyntaxe"));
    }
    ~Plugin()
    {
        if (m_handle != nullptr)
            dlclose(m_handle);
    }
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    void operator()(QWidget* editor) const { m_function(editor); }
    bool isUsable() const { return m_function != nullptr; }

private:
    void* m_handle = nullptr;
    HtmlSyntaxFunction* m_function = nullptr;
};

struct Editor
{
    Editor()
    {
        edit.resize(900, 700);
        edit.show();
        edit.setPlainText(htmlDocument());
        QApplication::processEvents();
    }
    QTextEdit edit;
};

// The position right after a tag's ">" in the middle of the document, where a
// typed letter takes the tag's colour and has to be turned black.
int middleOfText(const QTextDocument& document)
{
    const QTextBlock block = document.findBlock(document.characterCount() / 2);
    return block.position() + int(block.text().indexOf(QLatin1String("<p>"))) + 3;
}

void BM_AlreadyColoured(benchmark::State& state)
{
    const Plugin plugin;
    Editor editor;
    plugin(&editor.edit);
    for (auto _ : state)
        plugin(&editor.edit);
    state.SetBytesProcessed(state.iterations() * editor.edit.document()->characterCount() * 2);
}

// As the program calls it: the library is loaded and unloaded around every call.
void BM_AlreadyColouredLoadingThePlugin(benchmark::State& state)
{
    Editor editor;
    Plugin()(&editor.edit);
    for (auto _ : state)
        Plugin()(&editor.edit);
}

void BM_OneTypedCharacterToRecolour(benchmark::State& state)
{
    const Plugin plugin;
    Editor editor;
    plugin(&editor.edit);
    QTextDocument* document = editor.edit.document();
    const int position = middleOfText(*document);
    for (auto _ : state) {
        state.PauseTiming();
        QTextCursor cursor(document);
        cursor.setPosition(position);
        cursor.insertText(QStringLiteral("x"), QTextCursor(document).blockCharFormat());
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        QTextCharFormat tagColour;
        tagColour.setForeground(QColor(0, 0, 0xA0));
        cursor.mergeCharFormat(tagColour);
        state.ResumeTiming();

        plugin(&editor.edit);

        state.PauseTiming();
        cursor.setPosition(position);
        cursor.deleteChar();
        state.ResumeTiming();
    }
}

// A quote typed inside a tag opens a value that runs to the next quote, so the
// roles shift up to the end of the tag after it. (The first colouring below
// bounds any recolouring: it changes every run of the document.)
void BM_QuoteTypedInsideATag(benchmark::State& state)
{
    const Plugin plugin;
    Editor editor;
    plugin(&editor.edit);
    QTextDocument* document = editor.edit.document();
    const int position = middleOfText(*document) - 1; // just before the ">" of "<p>"
    for (auto _ : state) {
        state.PauseTiming();
        QTextCursor cursor(document);
        cursor.setPosition(position);
        cursor.insertText(QStringLiteral(" a=\""));
        state.ResumeTiming();

        plugin(&editor.edit);

        state.PauseTiming();
        cursor.setPosition(position);
        cursor.setPosition(position + 4, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        plugin(&editor.edit);
        state.ResumeTiming();
    }
}

void BM_FirstColouringAfterOpening(benchmark::State& state)
{
    const Plugin plugin;
    Editor editor;
    const QString html = htmlDocument();
    for (auto _ : state) {
        state.PauseTiming();
        editor.edit.setPlainText(html);
        QApplication::processEvents();
        state.ResumeTiming();

        plugin(&editor.edit);
    }
}

BENCHMARK(BM_AlreadyColoured)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AlreadyColouredLoadingThePlugin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneTypedCharacterToRecolour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuoteTypedInsideATag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstColouringAfterOpening)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [](int argc, char** argv) {
        if (!Plugin().isUsable()) {
            std::fprintf(stderr, "cannot load %s\n", qPrintable(pluginPath()));
            return false;
        }
        return !benchmark::ReportUnrecognizedArguments(argc, argv);
    });
}
