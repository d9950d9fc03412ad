// What a user waits for at each key in a long document: a typed character, a
// Delete, an Enter and an undo (Ctrl+Z), each near the start, in the middle
// and near the end of a 1 MB and a 10 MB document (20,000 and 200,000
// paragraphs of about 50 characters, with bold, italic, coloured and larger
// words, a 5-item bulleted or numbered list every 200 paragraphs and a 4 x 3
// table a quarter of the way in). Also opening each document until the first
// screen is painted, and going from the start to the end with Page Down.
// Goals: each key under 2 ms in all places at both sizes, with checking on too;
// opening under 1 s, with checking no later than without; Page Down under 5 ms
// a page, with checking at most 2 ms more.
//
// Every figure is measured three times in the same run, in adjacent rows: in our
// editor (Zorvan: a TZvRichEdit, keys sent to its control, so through the
// editor's key filter), in the whole main window (ZorvanWindow: the same editor
// with the handlers of the main window, the ruler and the status bar, whose
// caret position and counts follow every key) and in a bare QTextEdit with the
// same document. Typing a character, Page Down and opening are measured with
// spell checking on as well (ZorvanSpelling, ZorvanWindowSpelling: the words on
// screen checked with the Czech dictionary and marked), next to the rows with
// checking off. Checking is on with the dictionary already read, except when
// opening, where the window is new and reads it meanwhile, as at a start. The editors are shown at 969 x 488
// pixels, the editor area of the main window at its default size (969 x 623), which is the main window's
// size, with word wrap on.
//
// One iteration of BM_Edit: the caret is put into a paragraph (untimed), then
//   Type    the timed "x" key; untimed, Backspace takes it back
//   Delete  untimed "x" and Left; the timed Delete removes that "x"
//   Enter   the timed Return key; untimed, Backspace joins the paragraphs again
//   Undo    untimed "x"; the timed Ctrl+Z undoes it (both editors answer it)
// so the text keeps its length, which each iteration checks. The caret moves
// three paragraphs further at every iteration (never into a list or the table)
// so that no paragraph grows. Times are manual: the key press and release, the
// queued events, and a synchronous repaint of the visible text.
// Counters: median_s is the median iteration, median_repaint_s the median of
// its final repaint alone; they are in seconds, printed with SI prefixes
// (m = milliseconds, u = microseconds).
//
// Fixed iteration counts keep the whole run at both sizes to a few minutes
// (about six on two cores): a key near the start of 10 MB costs a bare
// QTextEdit about 160 ms, and the untimed key that puts the text back as much.
//
//   QT_QPA_PLATFORM=offscreen build/bench/TypingLatencyBenchmark
//   (--benchmark_filter=/20000/ for the 1 MB document only)

#include "app/TMainform.h"
#include "bench/BenchmarkMain.h"
#include "format/TextFormatProperties.h"
#include "editcontrol/RichEditControl.h"
#include "editcontrol/RichEditLayout.h"
#include "platform/ScriptedDesktop.h"
#include "richedit/TRichEditStrings.h"
#include "richedit/TZvRichEdit.h"
#include "spelling/SpellChecker.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTextTable>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The editor area of the main window at its default size.
constexpr QSize EditorArea(969, 488);
constexpr QSize MainWindowSize(969, 623);
constexpr int NoTextLimit = 0x7FFFFFF0;
constexpr int ListEvery = 200; // paragraphs; each list has 5 items
constexpr int ListItems = 5;

// --- Timing ---------------------------------------------------------------

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// --- The document ---------------------------------------------------------

bool startsList(int paragraph)
{
    return paragraph % ListEvery == ListEvery / 2;
}

bool inList(int paragraph)
{
    const int offset = paragraph % ListEvery - ListEvery / 2;
    return offset >= 0 && offset < ListItems;
}

// The table goes in after a paragraph a quarter of the way in, outside the lists.
int paragraphBeforeTable(int paragraphs)
{
    return paragraphs / 4 / ListEvery * ListEvery + ListEvery / 4;
}

// A table as the RTF reader makes one: solid border 1, cell padding 2, no
// spacing, fixed column widths. The cursor ends in the paragraph after it.
void insertTable(QTextCursor& cursor)
{
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 200),
                                      QTextLength(QTextLength::FixedLength, 120),
                                      QTextLength(QTextLength::FixedLength, 160)});
    QTextTable* table = cursor.insertTable(4, 3, format);
    for (int row = 0; row < table->rows(); ++row)
        for (int column = 0; column < table->columns(); ++column)
            table->cellAt(row, column)
                .firstCursorPosition()
                .insertText(QStringLiteral("buňka %1, %2").arg(row + 1).arg(column + 1));
    cursor.setPosition(table->lastPosition() + 1);
}

// Fills an empty document in one edit block that cannot be undone.
void buildDocument(QTextDocument& document, int paragraphs)
{
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTextCharFormat coloured;
    TextFormatProperties::setCharTextColor(coloured, QColor(0x80, 0, 0x80));
    QTextCharFormat larger;
    TextFormatProperties::setCharSize(larger, 320);
    const std::array<const QTextCharFormat*, 6> wordFormats{&plain,  &bold,     &plain,
                                                            &italic, &coloured, &larger};

    const bool undoable = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    const int tableAfter = paragraphBeforeTable(paragraphs);
    QTextList* list = nullptr;
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0 && i != tableAfter + 1) // after the table the cursor is in an empty paragraph
            cursor.insertBlock(QTextBlockFormat(), plain);
        if (startsList(i)) {
            QTextListFormat format;
            format.setStyle(i / ListEvery % 2 ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc);
            list = cursor.createList(format);
        } else if (inList(i)) {
            list->add(cursor.block());
        }
        cursor.insertText(QStringLiteral("Příliš žluťoučký "), plain);
        cursor.insertText(QStringLiteral("kůň"), *wordFormats[size_t(i) % wordFormats.size()]);
        cursor.insertText(QStringLiteral(" úpěl ďábelské ódy, odstavec %1").arg(i), plain);
        if (i == tableAfter)
            insertTable(cursor);
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undoable);
}

// The editor's own RTF of the document, as a file would hold it.
const QByteArray& rtfDocument(int paragraphs)
{
    static std::map<int, QByteArray> made;
    QByteArray& bytes = made[paragraphs];
    if (!bytes.isEmpty())
        return bytes;
    TZvRichEdit writer;
    writer.setMaxLength(NoTextLimit);
    buildDocument(*writer.control()->document(), paragraphs);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writer.Lines().setStreamFormat(TRichStreamFormat::sfRichText);
    writer.Lines().SaveToStream(buffer);
    return bytes;
}

// --- The editors ----------------------------------------------------------

enum class Editor { Zorvan, ZorvanSpelling, ZorvanWindow, ZorvanWindowSpelling, BareQTextEdit };

const char* nameOf(Editor editor)
{
    switch (editor) {
    case Editor::Zorvan:
        return "Zorvan";
    case Editor::ZorvanSpelling:
        return "ZorvanSpelling";
    case Editor::ZorvanWindow:
        return "ZorvanWindow";
    case Editor::ZorvanWindowSpelling:
        return "ZorvanWindowSpelling";
    case Editor::BareQTextEdit:
        return "QTextEdit";
    }
    return "";
}

bool checksSpelling(Editor editor)
{
    return editor == Editor::ZorvanSpelling || editor == Editor::ZorvanWindowSpelling;
}

// The queued events handled (they include painting what changed), then the
// whole visible text painted at once, so that painting counts even where Qt
// would defer it: what a user waits for after a key before the screen shows
// its effect. Returns the seconds of that last repaint.
double settle(QTextEdit& view)
{
    QCoreApplication::processEvents();
    const auto start = Clock::now();
    view.viewport()->repaint();
    return secondsSince(start);
}

// A window showing an empty document; `view` is the QTextEdit that shows it and
// takes the keys (for Zorvan, the editor's control), `zorvan` our editor.
struct ShownEditor
{
    std::unique_ptr<SpellChecker> checker; // the bare editor's, while it checks
    std::unique_ptr<QWidget> window;
    QTextEdit* view = nullptr;
    TZvCustomRichEdit* zorvan = nullptr;
    SpellChecker* spelling = nullptr; // the checker in use; null with checking off
};

// A main window as the program opens it, in a program folder of its own.
std::unique_ptr<TMainform> newMainWindow()
{
    static ScriptedDesktop desktop;
    static QTemporaryDir programFolder;
    SetProgramFolderForTesting(programFolder.path());
    return std::make_unique<TMainform>(desktop, QStringList());
}

ShownEditor newEditor(Editor editor)
{
    ShownEditor shown;
    QSize size = EditorArea;
    switch (editor) {
    case Editor::Zorvan:
    case Editor::ZorvanSpelling: {
        auto zorvan = std::make_unique<TZvRichEdit>();
        zorvan->setMaxLength(NoTextLimit);
        if (checksSpelling(editor)) {
            shown.checker = std::make_unique<SpellChecker>();
            shown.spelling = shown.checker.get();
            zorvan->setSpellChecker(shown.spelling);
        }
        shown.zorvan = zorvan.get();
        shown.window = std::move(zorvan);
        break;
    }
    case Editor::ZorvanWindow:
    case Editor::ZorvanWindowSpelling: {
        std::unique_ptr<TMainform> window = newMainWindow();
        if (!window->setSpellChecking(checksSpelling(editor)))
            qFatal("Spell checking needs the Czech dictionary (hunspell-cs)");
        shown.spelling = window->editor->spellChecker();
        shown.zorvan = window->editor;
        shown.window = std::move(window);
        size = MainWindowSize;
        break;
    }
    case Editor::BareQTextEdit: {
        auto bare = std::make_unique<QTextEdit>();
        bare->setLineWrapMode(QTextEdit::WidgetWidth);
        shown.view = bare.get();
        shown.window = std::move(bare);
        break;
    }
    }
    if (shown.zorvan)
        shown.view = shown.zorvan->control();
    shown.window->resize(size);
    shown.window->show();
    shown.window->activateWindow();
    shown.view->setFocus();
    settle(*shown.view);
    return shown;
}

// One editor of each kind is kept with its document, rebuilt when another size is asked for.
QTextEdit& editorWithDocument(Editor editor, int paragraphs)
{
    struct Kept
    {
        int paragraphs = 0;
        ShownEditor shown;
    };
    // Left to the end of the process: widgets must not outlive the application object.
    static auto* kept = new std::array<Kept, 5>;
    Kept& slot = (*kept)[size_t(editor)];
    if (slot.paragraphs != paragraphs) {
        slot = Kept();
        slot.shown = newEditor(editor);
        buildDocument(*slot.shown.view->document(), paragraphs);
        slot.paragraphs = paragraphs;
        // The document is open once it is laid out: our editor measures a new
        // document in slices between events (each one delays a key by up to a
        // slice), Qt's layout finishes its own steps when asked for the size.
        if (auto* layout = qobject_cast<RichEditLayout*>(slot.shown.view->document()->documentLayout()))
            layout->finishLayout();
        slot.shown.view->document()->documentLayout()->documentSize();
        if (slot.shown.spelling)
            slot.shown.spelling->waitUntilLoaded();
    }
    // The editor being typed into has the focus, as it has for a user.
    slot.shown.window->activateWindow();
    slot.shown.view->setFocus();
    settle(*slot.shown.view);
    return *slot.shown.view;
}

// Notes when the watched widget gets a paint event.
// Notes when a widget is first painted, be it in an event or synchronously.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget& widget) { widget.installEventFilter(this); }

    // Handles events until a paint has come, or for at most a minute; when it came.
    std::optional<Clock::time_point> waitForPaint()
    {
        QElapsedTimer waited;
        waited.start();
        while (!m_painted && waited.elapsed() < 60000)
            QCoreApplication::processEvents();
        return m_painted;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted)
            m_painted = Clock::now();
        return QObject::eventFilter(watched, event);
    }

private:
    std::optional<Clock::time_point> m_painted;
};

// --- Keys -----------------------------------------------------------------

// A key as the keyboard sends it; `text` is what it types, empty for keys that type nothing.
struct Keystroke
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

const Keystroke TypeX{Qt::Key_X, Qt::NoModifier, QStringLiteral("x")};
const Keystroke Backspace{Qt::Key_Backspace, Qt::NoModifier, {}};
const Keystroke DeleteKey{Qt::Key_Delete, Qt::NoModifier, {}};
const Keystroke LeftKey{Qt::Key_Left, Qt::NoModifier, {}};
const Keystroke ReturnKey{Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};
const Keystroke UndoKey{Qt::Key_Z, Qt::ControlModifier, {}};
const Keystroke PageDownKey{Qt::Key_PageDown, Qt::NoModifier, {}};

void press(QTextEdit& view, const Keystroke& keystroke)
{
    QKeyEvent press(QEvent::KeyPress, keystroke.key, keystroke.modifiers, keystroke.text);
    QCoreApplication::sendEvent(&view, &press);
    QKeyEvent release(QEvent::KeyRelease, keystroke.key, keystroke.modifiers, keystroke.text);
    QCoreApplication::sendEvent(&view, &release);
}

void press(QTextEdit& view, const std::vector<Keystroke>& keystrokes)
{
    for (const Keystroke& keystroke : keystrokes)
        press(view, keystroke);
    settle(view);
}

// --- Editing --------------------------------------------------------------

struct Operation
{
    const char* name;
    std::vector<Keystroke> before; // untimed, once the caret is placed
    Keystroke measured;
    std::vector<Keystroke> after; // untimed, puts the text back as it was
};

const Operation Operations[] = {
    {"Type", {}, TypeX, {Backspace}},
    {"Delete", {TypeX, LeftKey}, DeleteKey, {}},
    {"Enter", {}, ReturnKey, {Backspace}},
    {"Undo", {TypeX}, UndoKey, {}},
};

enum class Place { Start, Middle, End };

const char* nameOf(Place place)
{
    switch (place) {
    case Place::Start:
        return "Start";
    case Place::Middle:
        return "Middle";
    case Place::End:
        return "End";
    }
    return "";
}

// The paragraph of the iteration's caret: from the place's first paragraph,
// three further at each iteration, over at most 1,500 paragraphs.
QTextBlock paragraphFor(const QTextDocument& document, Place place, int iteration)
{
    const int blocks = document.blockCount();
    int first = 0;
    switch (place) {
    case Place::Start:
        first = 10;
        break;
    case Place::Middle:
        first = blocks / 2;
        break;
    case Place::End:
        first = blocks - 2000;
        break;
    }
    QTextBlock block = document.findBlockByNumber(first + iteration % 500 * 3);
    // Keys in a list item or a table cell behave differently (Backspace at the
    // start of a list item ends the list there), so those are passed over.
    while (block.next().isValid() && (block.textList() || QTextCursor(block).currentTable()))
        block = block.next();
    return block;
}

void placeCaret(QTextEdit& view, const QTextBlock& paragraph)
{
    QTextCursor cursor(paragraph);
    cursor.setPosition(paragraph.position() + std::min(5, paragraph.length() - 1));
    view.setTextCursor(cursor);
    view.ensureCursorVisible();
    settle(view);
}

void editBenchmark(benchmark::State& state, Editor editor, const Operation& operation, Place place)
{
    QTextEdit& view = editorWithDocument(editor, int(state.range(0)));
    const QTextDocument& document = *view.document();
    const int characters = document.characterCount();
    const int blocks = document.blockCount();
    std::vector<double> times;
    std::vector<double> repaints;
    int iteration = 0;
    for (auto _ : state) {
        placeCaret(view, paragraphFor(document, place, iteration++));
        press(view, operation.before);
        const auto start = Clock::now();
        press(view, operation.measured);
        repaints.push_back(settle(view));
        const double seconds = secondsSince(start);
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        press(view, operation.after);
        if (document.characterCount() != characters || document.blockCount() != blocks) {
            state.SkipWithError("the text changed its length: a key was refused or undid too much");
            break;
        }
    }
    state.counters["median_s"] = median(times);
    state.counters["median_repaint_s"] = median(repaints);
}

// --- Scrolling --------------------------------------------------------------

// From the start, Page Down until the caret is in the last paragraph.
void pageDownBenchmark(benchmark::State& state, Editor editor)
{
    QTextEdit& view = editorWithDocument(editor, int(state.range(0)));
    const QTextBlock last = view.document()->lastBlock();
    std::vector<double> pages;
    double total = 0;
    for (auto _ : state) {
        pages.clear();
        placeCaret(view, view.document()->firstBlock());
        while (view.textCursor().block() != last) {
            const int from = view.textCursor().position();
            const auto start = Clock::now();
            press(view, PageDownKey);
            settle(view);
            pages.push_back(secondsSince(start));
            if (view.textCursor().position() == from) {
                state.SkipWithError("Page Down stopped before the last paragraph");
                break;
            }
        }
        total = std::accumulate(pages.begin(), pages.end(), 0.0);
        state.SetIterationTime(total);
    }
    if (pages.empty())
        return;
    state.counters["pages"] = double(pages.size());
    state.counters["per_page_s"] = total / double(pages.size());
    state.counters["median_page_s"] = median(pages);
    state.counters["slowest_page_s"] = *std::max_element(pages.begin(), pages.end());
}

// --- Opening ----------------------------------------------------------------

// Prepares handing the document to a shown, empty editor, and returns the
// handing over, which is what the clock measures. Zorvan reads the RTF file's
// bytes; the bare QTextEdit, which has no RTF reader, is given a document
// built beforehand. Qt lays out a document handed to a QTextEdit whole a part
// at a time, the first screen first and the rest in later events, so the bare
// QTextEdit paints long before its layout is complete. Zorvan shows the first
// screen of a document that takes long to read while it reads the rest.
// Counters: first_paint_s is the time until the text area is first painted
// (the iteration's time), load_s until the handing over returns, which is when
// the editor answers input again.
std::function<void()> opening(ShownEditor& shown, Editor editor, int paragraphs)
{
    switch (editor) {
    case Editor::Zorvan:
    case Editor::ZorvanSpelling:
    case Editor::ZorvanWindow:
    case Editor::ZorvanWindowSpelling: {
        auto file = std::make_shared<QBuffer>();
        file->setData(rtfDocument(paragraphs));
        file->open(QIODevice::ReadOnly);
        TRichEditStrings& lines = shown.zorvan->Lines();
        lines.setStreamFormat(TRichStreamFormat::sfRichText);
        return [&lines, file] { lines.LoadFromStream(*file); };
    }
    case Editor::BareQTextEdit: {
        auto* document = new QTextDocument(shown.view);
        buildDocument(*document, paragraphs);
        return [view = shown.view, document] { view->setDocument(document); };
    }
    }
    return {};
}

// Timed from handing the document over until the text area's first paint.
void openBenchmark(benchmark::State& state, Editor editor)
{
    const int paragraphs = int(state.range(0));
    std::vector<double> loads;
    std::vector<double> firstPaints;
    for (auto _ : state) {
        ShownEditor shown = newEditor(editor);
        const std::function<void()> open = opening(shown, editor, paragraphs);
        PaintWatch watch(*shown.view->viewport());
        const auto start = Clock::now();
        open();
        loads.push_back(secondsSince(start));
        const std::optional<Clock::time_point> painted = watch.waitForPaint();
        const double seconds = painted ? std::chrono::duration<double>(*painted - start).count() : 0;
        state.SetIterationTime(seconds);
        firstPaints.push_back(seconds);
        if (!painted || shown.view->document()->blockCount() < paragraphs) {
            state.SkipWithError(painted ? "the document did not load whole" : "no paint within a minute");
            break;
        }
    }
    state.counters["load_s"] = median(loads);
    state.counters["first_paint_s"] = median(firstPaints);
}

// --- Registration ------------------------------------------------------------

constexpr Editor Editors[] = {Editor::Zorvan, Editor::ZorvanSpelling, Editor::ZorvanWindow,
                              Editor::ZorvanWindowSpelling, Editor::BareQTextEdit};
constexpr Place Places[] = {Place::Start, Place::Middle, Place::End};

template <typename... Arguments>
void registerBenchmark(const std::string& name, int paragraphs, int iterations, Arguments&&... arguments)
{
    benchmark::RegisterBenchmark(name.c_str(), std::forward<Arguments>(arguments)...)
        ->Arg(paragraphs)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

// Size by size, so that only one document of each editor is kept at a time,
// with Zorvan's rows next to the bare QTextEdit's for each figure.
void registerBenchmarks()
{
    for (const int paragraphs : {20000, 200000}) {
        const int editIterations = paragraphs < 100000 ? 45 : 15;
        for (const Operation& operation : Operations)
            for (const Place place : Places)
                for (const Editor editor : Editors)
                    // Checking costs keys that change a word's text alike: typing stands for them.
                    if (!checksSpelling(editor) || operation.measured.key == TypeX.key)
                        registerBenchmark(std::string("BM_Edit<") + nameOf(editor) + "," + operation.name +
                                              "," + nameOf(place) + ">",
                                          paragraphs, editIterations, editBenchmark, editor, operation,
                                          place);
        for (const Editor editor : Editors)
            registerBenchmark(std::string("BM_PageDown<") + nameOf(editor) + ">", paragraphs, 1,
                              pageDownBenchmark, editor);
        for (const Editor editor : Editors)
            registerBenchmark(std::string("BM_OpenAndFirstPaint<") + nameOf(editor) + ">", paragraphs, 3,
                              openBenchmark, editor);
    }
}

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, [](int, char**) {
        registerBenchmarks();
        return true;
    });
}
