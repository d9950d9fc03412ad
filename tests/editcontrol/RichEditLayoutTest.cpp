#include "editcontrol/RichEditLayout.h"

#include "rtf/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

#include <functional>

// Each test shows the same document in two QTextEdits of the same size, one laid out by Qt's own
// QTextDocumentLayout and one by RichEditLayout, and expects them to be indistinguishable.

namespace {

enum class DocumentKind { FlatText, Lists, Table, Pictures, RightToLeft, Everything };
enum class Wrap { WidgetWidth, FixedPixelWidth, NoWrap };

struct LayoutCase
{
    DocumentKind kind;
    Wrap wrap;
};

constexpr QSize WindowSize(640, 480);
constexpr QSize ResizedWindow(500, 420);
constexpr int FormattingWidth = 420;
constexpr int ResizedFormattingWidth = 360;

// A small deterministic generator, so that every run builds the same documents.
class Dice
{
public:
    explicit Dice(quint32 seed) : m_state(seed) {}
    int roll(int sides)
    {
        m_state = m_state * 1103515245u + 12345u;
        return int((m_state >> 16) % quint32(sides));
    }
    const QByteArray& pick(const QList<QByteArray>& from) { return from.at(roll(int(from.size()))); }

private:
    quint32 m_state;
};

const QList<QByteArray> Words = QByteArray("lorem ipsum dolor sit amet \\u382?lu\\u357?ou\\u269?k\\u253? "
                                           "k\\u367?\\u328? \\u250?p\\u283?l \\u271?\\u225?belsk\\u233? "
                                           "\\u243?dy consectetur adipiscing elit x")
                                    .split(' ');
const QList<QByteArray> HebrewWords =
    QByteArray("\\u1513?\\u1500?\\u1493?\\u1501? \\u1506?\\u1493?\\u1500?"
               "\\u1501? \\u1505?\\u1508?\\u1512? \\u1502?\\u1497?\\u1500?\\u1492?")
        .split(' ');
const QList<QByteArray> ArabicWords = QByteArray("\\u1605?\\u1585?\\u1581?\\u1576?\\u1575? \\u1603?\\u1578?"
                                                 "\\u1575?\\u1576? \\u1593?\\u1575?\\u1604?\\u1605?")
                                          .split(' ');

// Words with character formats: bold, italic, sizes, colours, underline, raised, lowered, other fonts,
// links, or none.
QByteArray sentence(Dice& dice, const QList<QByteArray>& words, int count)
{
    static const QList<QByteArray> Formats =
        QByteArray("\\b|\\i|\\fs36|\\fs14|\\cf1|\\ul|\\cf2\\ul\\i|\\super|\\sub|\\f1|\\f2").split('|');
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        const QByteArray& word = dice.pick(words);
        const int format = dice.roll(22);
        if (format == 0)
            text += "{\\field{\\*\\fldinst{HYPERLINK \"http://example.com/\"}}{\\fldrslt{\\ul\\cf2 " + word +
                    "}}} ";
        else if (format <= Formats.size())
            text += "{" + Formats.at(format - 1) + " " + word + "} ";
        else
            text += word + " ";
    }
    return text;
}

// Which paragraph formats flat text uses: all that the editor shows, or only alignments (around the
// feature that a document is about, so that a difference points at that feature).
enum class ParagraphFormats { All, AlignmentsOnly };

// Paragraphs of mixed text, some of them empty and some long enough to wrap several times (and to be
// wider than the window when nothing wraps).
QByteArray flatText(int paragraphs, quint32 seed, ParagraphFormats formats)
{
    static const QList<QByteArray> Formats =
        QByteArray("|\\qc|\\qr|\\qj|\\fi540|\\li720\\ri720|\\fi-360\\li720|"
                   "\\sb200\\sa120|\\ri1440|\\sl360\\slmult1|"
                   "\\sl-360\\slmult0|\\sl400\\slmult0")
            .split('|');
    const int used = formats == ParagraphFormats::All ? int(Formats.size()) : 4;
    Dice dice(seed);
    QByteArray rtf;
    for (int i = 0; i < paragraphs; ++i) {
        rtf += "\\pard" + Formats.at(i % used) + " ";
        if (i % 19 != 5)
            rtf += sentence(dice, Words, 1 + dice.roll(i % 7 == 3 ? 160 : 50));
        rtf += "\\par\n";
    }
    return rtf;
}

// Bulleted, numbered, lettered and roman-numbered lists, with short and wrapping items.
QByteArray lists()
{
    QByteArray rtf;
    Dice dice(7);
    for (int list = 1; list <= 4; ++list) {
        for (int item = 0; item < 6; ++item)
            rtf += "\\pard\\ls" + QByteArray::number(list) + "\\fi-360\\li720{\\listtext .\\tab}" +
                   sentence(dice, Words, 1 + dice.roll(item % 2 ? 40 : 8)) + "\\par\n";
        rtf += "\\pard " + sentence(dice, Words, 12) + "\\par\n";
    }
    return rtf;
}

// Tables as the reader makes them, some cells with two paragraphs; the second table is wider than the
// window.
QByteArray tables()
{
    QByteArray rtf;
    Dice dice(11);
    for (const char* row :
         {"\\trowd\\cellx1500\\cellx4500\\cellx7500", "\\trowd\\cellx3000\\cellx9000\\cellx13500"}) {
        for (int r = 0; r < 4; ++r) {
            rtf += QByteArray(row) + "\\pard\\intbl ";
            for (int cell = 0; cell < 3; ++cell) {
                rtf += sentence(dice, Words, 1 + dice.roll(18));
                if ((r + cell) % 3 == 1)
                    rtf += "\\par " + sentence(dice, Words, 1 + dice.roll(6));
                rtf += "\\cell ";
            }
            rtf += "\\row\n";
        }
        rtf += "\\pard " + sentence(dice, Words, 20) + "\\par\n";
    }
    return rtf;
}

// Hebrew and Arabic paragraphs, alone and mixed with left-to-right words, with alignments and indents.
QByteArray rightToLeft()
{
    static const QList<QByteArray> Formats = QByteArray("|\\qc|\\qj|\\li720|\\fi-360\\li720|\\qr").split('|');
    QByteArray rtf;
    Dice dice(13);
    for (int i = 0; i < 18; ++i) {
        rtf += "\\pard" + Formats.at(i % Formats.size()) + " ";
        if (i % 3 == 2)
            rtf += sentence(dice, Words, 3) + "2024 ";
        rtf += sentence(dice, i % 2 ? ArabicWords : HebrewWords, 4 + dice.roll(40));
        if (i % 3 == 1)
            rtf += sentence(dice, Words, 4) + "(123) ";
        rtf += "\\par\n";
    }
    return rtf;
}

QByteArray rtfDocument(const QByteArray& body)
{
    QByteArray rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}"
        "{\\f2\\fmodern Courier New;}}{\\colortbl;\\red192\\green0\\blue0;\\red0\\green0\\blue160;}";
    QByteArray overrides;
    const char* const numberings[] = {"23", "0", "4", "2"}; // bullet, decimal, letters, roman numerals
    for (int list = 1; list <= 4; ++list) {
        const QByteArray id = QByteArray::number(list);
        rtf +=
            (list == 1 ? "{\\*\\listtable{\\list{\\listlevel\\levelnfc" : "{\\list{\\listlevel\\levelnfc") +
            QByteArray(numberings[list - 1]) + "\\levelstartat1{\\leveltext\\'02\\'00.;}}\\listid" + id + "}";
        overrides += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + "}";
    }
    return rtf + "}{\\*\\listoverridetable" + overrides + "}\n" + body + "}";
}

QByteArray bodyOf(DocumentKind kind)
{
    const auto around = [](quint32 seed, const QByteArray& feature) {
        return flatText(30, seed, ParagraphFormats::AlignmentsOnly) + feature +
               flatText(30, seed + 1, ParagraphFormats::AlignmentsOnly);
    };
    switch (kind) {
    case DocumentKind::FlatText:
        return flatText(300, 1, ParagraphFormats::All);
    case DocumentKind::Lists:
        return around(2, lists());
    case DocumentKind::Table:
        return around(4, tables());
    case DocumentKind::Pictures:
        return around(6, {});
    case DocumentKind::RightToLeft:
        return around(8, rightToLeft());
    case DocumentKind::Everything:
        return flatText(60, 10, ParagraphFormats::All) + lists() + tables() + rightToLeft() +
               flatText(40, 11, ParagraphFormats::All);
    }
    return {};
}

// Inline pictures of several sizes, one of them wider than the page, in paragraphs outside tables.
void insertPictures(QTextDocument& document)
{
    QImage image(64, 48, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(40, 120, 200));
    painter.fillRect(8, 8, 30, 20, QColor(250, 200, 0));
    painter.drawLine(0, 47, 63, 0);
    painter.end();
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture")), image);
    const QSize sizes[] = {{40, 30}, {200, 120}, {1200, 90}, {64, 48}, {16, 80}};
    int placed = 0;
    for (QTextBlock block = document.begin(); block.isValid() && placed < 10; block = block.next()) {
        if (block.blockNumber() % 7 != 2 || QTextCursor(block).currentTable())
            continue;
        QTextImageFormat format;
        format.setName(QStringLiteral("picture"));
        format.setWidth(sizes[placed % std::size(sizes)].width());
        format.setHeight(sizes[placed % std::size(sizes)].height());
        QTextCursor(block).insertImage(format);
        ++placed;
    }
}

// Reads the kind's RTF, then adds what RTF does not give: paragraph backgrounds and pictures.
void buildDocument(DocumentKind kind, QTextDocument* document)
{
    const QByteArray rtf = rtfDocument(bodyOf(kind));
    RtfReader reader{QTextCursor(document)};
    EXPECT_TRUE(reader.feed(rtf.constData(), rtf.size()));
    EXPECT_TRUE(reader.finish()) << qPrintable(reader.errorString());
    QTextBlockFormat background;
    background.setBackground(QColor(255, 250, 200));
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        if (block.blockNumber() % 23 == 4)
            QTextCursor(block).mergeBlockFormat(background);
    if (kind == DocumentKind::Pictures || kind == DocumentKind::Everything)
        insertPictures(*document);
    document->clearUndoRedoStacks();
}

void applyWrap(QTextEdit& edit, Wrap wrap, int formattingWidth)
{
    switch (wrap) {
    case Wrap::WidgetWidth:
        edit.setLineWrapMode(QTextEdit::WidgetWidth);
        return;
    case Wrap::FixedPixelWidth:
        edit.setLineWrapMode(QTextEdit::FixedPixelWidth);
        edit.setLineWrapColumnOrWidth(formattingWidth);
        return;
    case Wrap::NoWrap:
        edit.setLineWrapMode(QTextEdit::NoWrap);
        return;
    }
}

std::string rectText(const QRectF& r)
{
    return QString::asprintf("(%g,%g %gx%g)", r.x(), r.y(), r.width(), r.height()).toStdString();
}

bool same(const QRectF& a, const QRectF& b)
{
    const auto near = [](qreal x, qreal y) { return qAbs(x - y) < 0.001; };
    return near(a.x(), b.x()) && near(a.y(), b.y()) && near(a.width(), b.width()) &&
           near(a.height(), b.height());
}

// Counts the differences of one comparison and keeps the first few for the failure message.
class Differences
{
public:
    template <typename... Values> void add(const char* format, Values... values)
    {
        if (m_count++ < 5)
            m_shown += "\n  " + QString::asprintf(format, values...).toStdString();
    }
    void expectNone() const { EXPECT_EQ(m_count, 0) << "first differences (Qt's layout first):" << m_shown; }

private:
    int m_count = 0;
    std::string m_shown;
};

void sendMouse(QWidget* viewport, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

void selectRange(QTextEdit& edit, int anchor, int position)
{
    QTextCursor cursor(edit.document());
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

class RichEditLayoutTest : public ::testing::TestWithParam<LayoutCase>
{
protected:
    void SetUp() override
    {
        m_flashTime = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0); // a steady caret, so that grabs are repeatable
        for (QTextEdit* edit : {&m_qt, &m_ours}) {
            auto* document = new QTextDocument(edit);
            if (edit == &m_ours)
                document->setDocumentLayout(new RichEditLayout(document));
            buildDocument(GetParam().kind, document);
            edit->resize(WindowSize);
            applyWrap(*edit, GetParam().wrap, FormattingWidth);
            edit->setDocument(document);
            edit->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
        }
        settle();
        // What the document holds, so that a slip in its RTF cannot leave a feature untested.
        bool list = false, table = false, picture = false, rightToLeft = false;
        for (QTextBlock block = m_qt.document()->begin(); block.isValid(); block = block.next()) {
            list |= block.textList() != nullptr;
            table |= QTextCursor(block).currentTable() != nullptr;
            picture |= block.text().contains(QChar::ObjectReplacementCharacter);
            rightToLeft |= block.textDirection() == Qt::RightToLeft;
        }
        const DocumentKind kind = GetParam().kind;
        const bool everything = kind == DocumentKind::Everything;
        EXPECT_EQ(list, everything || kind == DocumentKind::Lists);
        EXPECT_EQ(table, everything || kind == DocumentKind::Table);
        EXPECT_EQ(picture, everything || kind == DocumentKind::Pictures);
        EXPECT_EQ(rightToLeft, everything || kind == DocumentKind::RightToLeft);
    }

    void TearDown() override { QApplication::setCursorFlashTime(m_flashTime); }

    // Lets both layouts finish what they left for later and the widgets follow their sizes.
    void settle()
    {
        QCoreApplication::processEvents();
        m_qt.document()->documentLayout()->documentSize(); // Qt's layout completes its steps here
        dynamic_cast<RichEditLayout&>(*m_ours.document()->documentLayout()).finishLayout();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    void onBoth(const std::function<void(QTextEdit&)>& action)
    {
        action(m_qt);
        action(m_ours);
        settle();
    }

    void scrollBoth(int vertical, int horizontal)
    {
        onBoth([&](QTextEdit& edit) {
            edit.verticalScrollBar()->setValue(vertical);
            edit.horizontalScrollBar()->setValue(horizontal);
        });
    }

    QAbstractTextDocumentLayout* qtLayout() const { return m_qt.document()->documentLayout(); }
    QAbstractTextDocumentLayout* ourLayout() const { return m_ours.document()->documentLayout(); }

    void expectSameGeometry(const char* when)
    {
        SCOPED_TRACE(when);
        ASSERT_EQ(m_qt.document()->toRawText(), m_ours.document()->toRawText());
        Differences differences;
        for (QTextBlock a = m_qt.document()->begin(), b = m_ours.document()->begin(); a.isValid();
             a = a.next(), b = b.next()) {
            const QRectF qt = qtLayout()->blockBoundingRect(a), ours = ourLayout()->blockBoundingRect(b);
            if (!same(qt, ours))
                differences.add("block %d: %s %s", a.blockNumber(), rectText(qt).c_str(),
                                rectText(ours).c_str());
        }
        const QSizeF qtSize = qtLayout()->documentSize(), ourSize = ourLayout()->documentSize();
        if (!same(QRectF(QPointF(), qtSize), QRectF(QPointF(), ourSize)))
            differences.add("document size %gx%g %gx%g", qtSize.width(), qtSize.height(), ourSize.width(),
                            ourSize.height());
        for (const bool vertical : {true, false}) {
            const QScrollBar* qt = vertical ? m_qt.verticalScrollBar() : m_qt.horizontalScrollBar();
            const QScrollBar* ours = vertical ? m_ours.verticalScrollBar() : m_ours.horizontalScrollBar();
            if (qt->maximum() != ours->maximum() || qt->pageStep() != ours->pageStep())
                differences.add("%s scroll range 0..%d step %d, 0..%d step %d",
                                vertical ? "vertical" : "horizontal", qt->maximum(), qt->pageStep(),
                                ours->maximum(), ours->pageStep());
        }
        differences.expectNone();
    }

    // Hit tests at random points over the document and a little around it, fractional ones included.
    void expectSameHitTests(const char* when, int points)
    {
        SCOPED_TRACE(when);
        const QSizeF size = qtLayout()->documentSize();
        QRandomGenerator random(5);
        Differences differences;
        for (int i = 0; i < points; ++i) {
            const QPointF point(random.bounded(size.width() + 40) - 20,
                                random.bounded(size.height() + 40) - 20);
            for (const Qt::HitTestAccuracy accuracy : {Qt::FuzzyHit, Qt::ExactHit}) {
                const int qt = qtLayout()->hitTest(point, accuracy),
                          ours = ourLayout()->hitTest(point, accuracy);
                if (qt != ours)
                    differences.add("%s hit at (%.3f,%.3f): %d %d",
                                    accuracy == Qt::FuzzyHit ? "fuzzy" : "exact", point.x(), point.y(), qt,
                                    ours);
            }
        }
        differences.expectNone();
    }

    // A list label follows the document's own numbering and the size of the text
    // beside it (ListLabels), not Qt's rules: the room before each list item's
    // first line is left out of the comparison.
    static void blankListLabels(QImage& image, const QTextEdit& edit)
    {
        QPainter painter(&image);
        for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
            if (!block.textList())
                continue;
            // A selected label's background reaches a pixel past the line's rounded edges.
            const QRect start = edit.cursorRect(QTextCursor(block));
            painter.fillRect(QRect(0, start.top() - 1, start.left(), start.height() + 2), Qt::magenta);
        }
    }

    QImage grabFocused(QTextEdit& edit)
    {
        QApplication::setActiveWindow(&edit);
        edit.setFocus();
        QCoreApplication::processEvents();
        EXPECT_TRUE(edit.hasFocus()); // the caret is drawn only with the focus
        return edit.viewport()->grab().toImage();
    }

    // Grabs both viewports at several scroll positions, each time with a selection and the caret in view;
    // differing grabs are saved in the test's temporary folder.
    void expectSameRendering(const char* when)
    {
        SCOPED_TRACE(when);
        const QString test =
            QString(::testing::UnitTest::GetInstance()->current_test_info()->name()).replace('/', '_');
        const QString folder =
            QDir(QString::fromStdString(::testing::TempDir())).filePath("RichEditLayoutTest");
        Differences differences;
        for (const double fraction : {0.0, 0.35, 0.7, 1.0}) {
            const int vertical = int(m_qt.verticalScrollBar()->maximum() * fraction);
            const int horizontal = int(m_qt.horizontalScrollBar()->maximum() * fraction);
            scrollBoth(vertical, horizontal);
            const int start = m_qt.cursorForPosition(m_qt.viewport()->rect().center()).position();
            const int end = std::min(start + 150, m_qt.document()->characterCount() - 1);
            onBoth([&](QTextEdit& edit) { selectRange(edit, start, end); });
            scrollBoth(vertical, horizontal);
            QImage qt = grabFocused(m_qt), ours = grabFocused(m_ours);
            blankListLabels(qt, m_ours);
            blankListLabels(ours, m_ours);
            if (qt == ours)
                continue;
            int pixels = 0;
            QPoint first(-1, -1);
            for (int y = 0; y < std::min(qt.height(), ours.height()); ++y)
                for (int x = 0; x < std::min(qt.width(), ours.width()); ++x)
                    if (qt.pixel(x, y) != ours.pixel(x, y) && pixels++ == 0)
                        first = QPoint(x, y);
            const QString name = QStringLiteral("%1/%2_%3_%4_").arg(folder, test, when).arg(vertical);
            QDir().mkpath(folder);
            qt.save(name + QStringLiteral("qt.png"));
            ours.save(name + QStringLiteral("ours.png"));
            differences.add(
                "scrolled to %d,%d: viewports %dx%d %dx%d, %d pixels differ, first at (%d,%d); saved as "
                "%s*.png",
                vertical, horizontal, qt.width(), qt.height(), ours.width(), ours.height(), pixels, first.x(),
                first.y(), qPrintable(name));
        }
        differences.expectNone();
    }

    QTextEdit m_qt;
    QTextEdit m_ours;
    int m_flashTime = 0;
};

TEST_P(RichEditLayoutTest, BlockRectanglesDocumentSizeAndScrollRangesMatchQt)
{
    expectSameGeometry("after loading");
}

TEST_P(RichEditLayoutTest, RenderingWithSelectionAndCaretMatchesQt)
{
    expectSameRendering("loaded");
}

TEST_P(RichEditLayoutTest, HitTestsMatchQt)
{
    expectSameHitTests("after loading", 2500);
}

TEST_P(RichEditLayoutTest, CaretKeysMoveTheCaretAsWithQt)
{
    const QStringList keys =
        QStringLiteral("Down Down End Down Up PgDown PgDown Home PgUp Shift+Down Shift+Down "
                       "Ctrl+End Up PgUp Ctrl+Home Down")
            .split(' ');
    Differences differences;
    const int length = m_qt.document()->characterCount() - 1;
    for (const int start : {0, length / 5, length / 2, length * 4 / 5, length}) {
        onBoth([&](QTextEdit& edit) { selectRange(edit, start, start); });
        for (const QString& key : keys) {
            onBoth([&](QTextEdit& edit) { QTest::keySequence(&edit, QKeySequence(key)); });
            const QTextCursor qt = m_qt.textCursor(), ours = m_ours.textCursor();
            const QRect qtRect = m_qt.cursorRect(), ourRect = m_ours.cursorRect();
            const int qtScroll = m_qt.verticalScrollBar()->value(),
                      ourScroll = m_ours.verticalScrollBar()->value();
            if (qt.position() == ours.position() && qt.anchor() == ours.anchor() && qtRect == ourRect &&
                qtScroll == ourScroll)
                continue;
            differences.add("%s from %d: caret %d-%d %s scrolled to %d, caret %d-%d %s scrolled to %d",
                            qPrintable(key), start, qt.anchor(), qt.position(), rectText(qtRect).c_str(),
                            qtScroll, ours.anchor(), ours.position(), rectText(ourRect).c_str(), ourScroll);
            // Both go on from Qt's caret, so that one difference is reported once.
            onBoth([&](QTextEdit& edit) {
                selectRange(edit, qt.anchor(), qt.position());
                edit.verticalScrollBar()->setValue(qtScroll);
            });
        }
    }
    differences.expectNone();
}

TEST_P(RichEditLayoutTest, MouseDragsAndDoubleClicksSelectAsWithQt)
{
    QRandomGenerator random(9);
    const QRect area = m_qt.viewport()->rect().adjusted(2, 2, -2, -2);
    const auto somewhere = [&] {
        return QPoint(area.left() + random.bounded(area.width()), area.top() + random.bounded(area.height()));
    };
    const int vertical = m_qt.verticalScrollBar()->maximum() / 2;
    const int horizontal = m_qt.horizontalScrollBar()->maximum() / 2;
    Differences differences;
    for (int i = 0; i < 40; ++i) {
        const QPoint from = somewhere(), to = somewhere();
        const bool doubleClick = i % 4 == 3;
        // No selection under the press, or the press would start dragging the selected text away.
        onBoth([&](QTextEdit& edit) {
            QTextCursor cursor = edit.textCursor();
            cursor.clearSelection();
            edit.setTextCursor(cursor);
        });
        scrollBoth(vertical, horizontal);
        onBoth([&](QTextEdit& edit) {
            QWidget* viewport = edit.viewport();
            sendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
            if (doubleClick) {
                sendMouse(viewport, QEvent::MouseButtonRelease, from, Qt::NoButton);
                sendMouse(viewport, QEvent::MouseButtonDblClick, from, Qt::LeftButton);
                sendMouse(viewport, QEvent::MouseButtonRelease, from, Qt::NoButton);
                return;
            }
            sendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
            sendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton);
        });
        const QTextCursor qt = m_qt.textCursor(), ours = m_ours.textCursor();
        if (qt.anchor() != ours.anchor() || qt.position() != ours.position())
            differences.add("%s (%d,%d)->(%d,%d): %d-%d %d-%d", doubleClick ? "double click" : "drag",
                            from.x(), from.y(), to.x(), to.y(), qt.anchor(), qt.position(), ours.anchor(),
                            ours.position());
    }
    differences.expectNone();
}

TEST_P(RichEditLayoutTest, EditsUndoRedoAndResizingKeepMatchingQt)
{
    QTextDocument& document = *m_qt.document();
    const auto blockAt = [&](double fraction) {
        return document.findBlockByNumber(int(document.blockCount() * fraction));
    };
    const auto middleOf = [](const QTextBlock& block) { return block.position() + block.length() / 2; };
    const auto inTable = [](const QTextBlock& block) { return QTextCursor(block).currentTable() != nullptr; };
    const auto firstBlockWhere = [&](const std::function<bool(const QTextBlock&)>& wanted, double otherwise) {
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            if (wanted(block))
                return block;
        return blockAt(otherwise);
    };
    const auto onRange = [&](int anchor, int position, const std::function<void(QTextEdit&)>& action) {
        onBoth([&](QTextEdit& edit) {
            selectRange(edit, anchor, position);
            action(edit);
        });
    };
    const auto deleteKey = [](QTextEdit& edit) { QTest::keyClick(&edit, Qt::Key_Delete); };

    onRange(middleOf(blockAt(0.4)), middleOf(blockAt(0.4)), [](QTextEdit& edit) {
        QTest::keyClicks(&edit, QStringLiteral("nove slovo "));
        QTest::keyClick(&edit, Qt::Key_Return);
        QTest::keyClick(&edit, Qt::Key_Return);
    });
    expectSameGeometry("typing and Enter");
    const int joined = blockAt(0.6).position();
    onRange(joined, joined, [](QTextEdit& edit) { QTest::keyClick(&edit, Qt::Key_Backspace); });
    expectSameGeometry("Backspace joining paragraphs");
    onRange(middleOf(blockAt(0.1)), middleOf(blockAt(0.15)), deleteKey);
    expectSameGeometry("deleting across paragraphs");
    const QTextBlock listed = firstBlockWhere([](const QTextBlock& block) { return block.textList(); }, 0.2);
    onRange(middleOf(listed), middleOf(listed.next().next().next()), deleteKey);
    expectSameGeometry("deleting across a list");
    const QTextBlock tabled = firstBlockWhere(inTable, 0.3);
    onRange(middleOf(tabled.previous()), middleOf(tabled.next()), deleteKey);
    expectSameGeometry("deleting into the table");
    QTextBlock lastCell = tabled;
    while (inTable(lastCell.next()))
        lastCell = lastCell.next();
    onRange(middleOf(lastCell), middleOf(lastCell.next().next()), deleteKey);
    expectSameGeometry("deleting out of the table");
    onRange(middleOf(blockAt(0.05)), middleOf(blockAt(0.08)), [](QTextEdit& edit) {
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        format.setFontPointSize(20);
        edit.mergeCurrentCharFormat(format);
    });
    expectSameGeometry("bold and bigger characters");
    expectSameRendering("edited");

    int undone = 0;
    for (; document.isUndoAvailable(); ++undone)
        onBoth([](QTextEdit& edit) { edit.undo(); });
    EXPECT_FALSE(m_ours.document()->isUndoAvailable());
    expectSameGeometry("undoing all");
    for (int i = 0; i < undone; ++i)
        onBoth([](QTextEdit& edit) { edit.redo(); });
    expectSameGeometry("redoing all");

    onBoth([](QTextEdit& edit) {
        edit.resize(ResizedWindow);
        if (edit.lineWrapMode() == QTextEdit::FixedPixelWidth)
            edit.setLineWrapColumnOrWidth(ResizedFormattingWidth);
    });
    expectSameGeometry("resized");
    expectSameRendering("resized");
    expectSameHitTests("resized", 500);
}

std::string caseName(const ::testing::TestParamInfo<LayoutCase>& info)
{
    static const char* const Kinds[] = {"FlatText", "Lists",       "Table",
                                        "Pictures", "RightToLeft", "Everything"};
    static const char* const Wraps[] = {"WidgetWidth", "FixedPixelWidth", "NoWrap"};
    return std::string(Kinds[int(info.param.kind)]) + "_" + Wraps[int(info.param.wrap)];
}

std::vector<LayoutCase> allCases()
{
    std::vector<LayoutCase> cases;
    for (const DocumentKind kind :
         {DocumentKind::FlatText, DocumentKind::Lists, DocumentKind::Table, DocumentKind::Pictures,
          DocumentKind::RightToLeft, DocumentKind::Everything})
        for (const Wrap wrap : {Wrap::WidgetWidth, Wrap::FixedPixelWidth, Wrap::NoWrap})
            cases.push_back({kind, wrap});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Documents, RichEditLayoutTest, ::testing::ValuesIn(allCases()), caseName);

} // namespace

namespace {

// Shows two empty documents side by side at the test window's size: `qt` laid
// out by Qt's layout, `ours` by RichEditLayout.
void showBoth(QTextEdit& qt, QTextEdit& ours)
{
    for (QTextEdit* edit : {&qt, &ours}) {
        auto* document = new QTextDocument(edit);
        if (edit == &ours)
            document->setDocumentLayout(new RichEditLayout(document));
        edit->resize(WindowSize);
        edit->setDocument(document);
        edit->show();
    }
}

// Edits while a long document is still being measured in the background (in the
// part measured, across its end and after it, and a paste long enough to be
// measured in the background itself) end where Qt's layout puts them.
TEST(RichEditLayoutWhileMeasuringTest, EditsLandWhereQtPutsThem)
{
    QTextEdit qt, ours;
    showBoth(qt, ours);
    for (QTextEdit* edit : {&qt, &ours}) {
        const QByteArray rtf = rtfDocument(flatText(6000, 3, ParagraphFormats::All));
        RtfReader reader{QTextCursor(edit->document())};
        reader.feed(rtf.constData(), rtf.size());
        ASSERT_TRUE(reader.finish());
    }
    auto& layout = dynamic_cast<RichEditLayout&>(*ours.document()->documentLayout());
    ASSERT_FALSE(layout.isComplete());
    const QString pasted = QString(QStringLiteral("vloženo\n")).repeated(3000);
    for (QTextEdit* edit : {&qt, &ours}) {
        QTextCursor cursor(edit->document());
        const auto at = [&](int block) { return edit->document()->findBlockByNumber(block).position(); };
        for (const auto& [from, to] : {std::pair{100, 600}, std::pair{400, 800}}) {
            cursor.setPosition(at(from));
            cursor.setPosition(at(to), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        cursor.setPosition(at(10) + 2);
        cursor.insertText(QStringLiteral("xx\nyy"));
        cursor.setPosition(at(4000));
        cursor.insertText(QStringLiteral("zz\n"));
        cursor.setPosition(at(2000));
        cursor.insertText(pasted);
    }
    // Qt's own layout leaves paragraphs it had not reached without lines after
    // such edits: it is asked to lay everything out again as the reference.
    qt.document()->markContentsDirty(0, qt.document()->characterCount());
    qt.document()->documentLayout()->documentSize();
    layout.finishLayout();
    Differences differences;
    for (QTextBlock a = qt.document()->begin(), b = ours.document()->begin(); a.isValid();
         a = a.next(), b = b.next())
        if (const QRectF r = qt.document()->documentLayout()->blockBoundingRect(a),
            s = ours.document()->documentLayout()->blockBoundingRect(b);
            !same(r, s))
            differences.add("block %d: %s %s", a.blockNumber(), rectText(r).c_str(), rectText(s).c_str());
    EXPECT_EQ(qt.document()->documentLayout()->documentSize(), layout.documentSize());
    differences.expectNone();
}

// Around and inside a table narrower than the page, with a picture in a cell,
// after an empty paragraph (which lies on the table's border): every point hits
// what it hits in Qt's layout.
TEST(RichEditLayoutTableTest, PointsAroundATableHitAsWithQt)
{
    QTextEdit qt, ours;
    showBoth(qt, ours);
    for (QTextEdit* edit : {&qt, &ours}) {
        QTextDocument* document = edit->document();
        QImage picture(50, 70, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("obrazek")), picture);
        QTextCursor cursor(document);
        cursor.insertText(QStringLiteral("nad tabulkou"));
        cursor.insertBlock();
        QTextTableFormat format;
        format.setBorder(1);
        format.setCellPadding(2);
        format.setCellSpacing(0);
        format.setColumnWidthConstraints(
            {QTextLength(QTextLength::FixedLength, 120), QTextLength(QTextLength::FixedLength, 90)});
        QTextTable* table = cursor.insertTable(2, 2, format);
        table->cellAt(0, 1).firstCursorPosition().insertText(
            QStringLiteral("buňka se slovy, která se zalomí"));
        QTextImageFormat image;
        image.setName(QStringLiteral("obrazek"));
        table->cellAt(1, 0).firstCursorPosition().insertImage(image);
        cursor.setPosition(table->lastPosition() + 1);
        cursor.insertText(QStringLiteral("pod tabulkou"));
    }
    dynamic_cast<RichEditLayout&>(*ours.document()->documentLayout()).finishLayout();
    const QRectF table =
        qt.document()->documentLayout()->frameBoundingRect(qt.document()->rootFrame()->childFrames().first());
    Differences differences;
    for (qreal y = table.top() - 20; y < table.bottom() + 20; y += 1.5)
        for (qreal x = 0; x < table.right() + 40; x += 3)
            for (const Qt::HitTestAccuracy accuracy : {Qt::FuzzyHit, Qt::ExactHit})
                if (const int a = qt.document()->documentLayout()->hitTest({x, y}, accuracy),
                    b = ours.document()->documentLayout()->hitTest({x, y}, accuracy);
                    a != b)
                    differences.add("(%g,%g): %d %d", x, y, a, b);
    differences.expectNone();
}

} // namespace
