#include "editcontrol/RichEditControl.h"

#include "editcontrol/RichEditLayout.h"
#include "editcontrol/RichEditNotify.h"
#include "editcontrol/SelectionBar.h"

#include <QApplication>
#include <QBuffer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

struct RecordingNotify : RichEditNotify
{
    void notifyChange() override { ++changes; }
    void notifySelectionChange() override { ++selectionChanges; }
    void notifyRequestResize(const QRect& rect) override { lastResize = rect; }
    void notifyLink(UINT message, CHARRANGE range) override { links.push_back({message, range}); }
    std::vector<std::pair<UINT, CHARRANGE>> links;
    int changes = 0;
    int selectionChanges = 0;
    QRect lastResize;
};

class RichEditControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        control.resize(300, 200);
        control.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
        control.ExLimitText(0xFFFFFF);
    }

    // Lines as the layout shows them, counted independently of the control.
    int laidOutLines()
    {
        int lines = 0;
        for (QTextBlock block = control.document()->begin(); block.isValid(); block = block.next())
            lines += std::max(1, block.layout()->lineCount());
        return lines;
    }

    RichEditControl control{RichEditStyle{}};
};

TEST_F(RichEditControlTest, LinesAreTheWrappedLinesOfTheLayout)
{
    control.SetText(QString(QStringLiteral("slovo ")).repeated(60) + QStringLiteral("\nkrátký\n") +
                    QString(QStringLiteral("další ")).repeated(30));
    const int lines = control.GetLineCount();
    EXPECT_EQ(lines, laidOutLines());
    EXPECT_GT(lines, 3);

    // Every line starts where the previous one ended; together they cover the text.
    int expectedStart = 0;
    for (int line = 0; line < lines; ++line) {
        const int start = control.LineIndex(line);
        ASSERT_EQ(start, expectedStart) << "line " << line;
        EXPECT_EQ(control.ExLineFromChar(start), line);
        const int length = control.LineLength(start);
        const bool endsParagraph =
            start + length < control.GetTextLength() &&
            control.TextRange({start + length, start + length + 1}) == QStringLiteral("\r");
        expectedStart = start + length + (endsParagraph ? 1 : 0);
    }
    EXPECT_EQ(expectedStart, control.GetTextLength());
    EXPECT_EQ(control.LineIndex(lines), -1);
}

TEST_F(RichEditControlTest, LineIndexFollowsEditsAndWidthChanges)
{
    control.SetText(QString(QStringLiteral("abc def ")).repeated(100));
    const int before = control.GetLineCount();
    QTextCursor cursor(control.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(QStringLiteral(" nový text")).repeated(40));
    EXPECT_GT(control.GetLineCount(), before);
    EXPECT_EQ(control.GetLineCount(), laidOutLines());

    control.resize(600, 200);
    QApplication::processEvents();
    EXPECT_EQ(control.GetLineCount(), laidOutLines());

    cursor.insertBlock();
    cursor.insertText(QStringLiteral("konec"));
    EXPECT_EQ(control.ExLineFromChar(control.GetTextLength()), control.GetLineCount() - 1);
}

// Questions about lines near the start of a long document count and lay out
// only the paragraphs they need; edits there keep the count right.
TEST_F(RichEditControlTest, LineQuestionsNearTheStartLeaveTheRestOfALongDocumentForLater)
{
    control.SetText(QStringList(5000, QStringLiteral("slovo")).join(u'\n'));
    const QTextBlock later = control.document()->findBlockByNumber(3000);
    ASSERT_EQ(later.layout()->lineCount(), 0) << "measured in the background, later";
    EXPECT_EQ(control.ExLineFromChar(7), 1);
    EXPECT_EQ(control.LineIndex(2), 12);
    control.SetSel(0, 0);
    control.ReplaceSel(false, QStringLiteral("a\nb\n"));
    EXPECT_EQ(control.ExLineFromChar(9), 2);
    EXPECT_EQ(control.LineIndex(3), 10);
    EXPECT_EQ(later.layout()->lineCount(), 0);
    EXPECT_EQ(control.GetLineCount(), 5002);
    EXPECT_EQ(control.LineIndex(5001), control.GetTextLength() - 5);
    EXPECT_EQ(control.LineIndex(5002), -1);
}

TEST_F(RichEditControlTest, GetLineCopiesAtMostTheBufferSizeAndTheBreakAsCr)
{
    control.SetText(QStringLiteral("první\ndruhý"));
    char16_t buffer[16] = {};
    buffer[0] = 16;
    EXPECT_EQ(control.GetLine(0, buffer), 6);
    EXPECT_EQ(QString::fromUtf16(buffer, 6), QStringLiteral("první\r"));
    buffer[0] = 3;
    EXPECT_EQ(control.GetLine(1, buffer), 3);
    EXPECT_EQ(QString::fromUtf16(buffer, 3), QStringLiteral("dru"));
    buffer[0] = 16;
    EXPECT_EQ(control.GetLine(7, buffer), 0);
}

TEST_F(RichEditControlTest, WholeTextUsesCrLfAndRangesUseCr)
{
    control.SetText(QStringLiteral("a\r\nb\rc\nd"));
    EXPECT_EQ(control.GetTextLength(), 7);
    EXPECT_EQ(control.GetText(), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(control.TextRange({0, 3}), QStringLiteral("a\rb"));
    char16_t buffer[8];
    EXPECT_EQ(control.GetTextRange({1, 4}, buffer), 3);
    EXPECT_EQ(buffer[3], 0);
}

TEST_F(RichEditControlTest, ClickInTheSelectionBarSelectsTheLineBesideIt)
{
    control.SetText(QStringLiteral("první řádek\ndruhý řádek\ntřetí"));
    auto* bar = control.findChild<SelectionBar*>();
    ASSERT_NE(bar, nullptr);
    QTextCursor second(control.document());
    second.setPosition(14);
    const int y =
        bar->mapFromGlobal(control.viewport()->mapToGlobal(control.cursorRect(second).center())).y();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, y));
    EXPECT_EQ(control.ExGetSel(), (CHARRANGE{12, 24}));
    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(3, y));
    EXPECT_EQ(control.TextRange(control.ExGetSel()), QStringLiteral("druhý řádek\r"));
}

TEST_F(RichEditControlTest, NoSelectionBarWithoutItsStyle)
{
    RichEditStyle style;
    style.selectionBar = false;
    RichEditControl bare(style);
    EXPECT_EQ(bare.findChild<SelectionBar*>(), nullptr);
}

TEST_F(RichEditControlTest, FormattingRectangleSetsWhereTextStartsAndWraps)
{
    RichEditStyle style;
    style.selectionBar = false;
    RichEditControl bare(style);
    bare.resize(500, 200);
    bare.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bare));
    bare.SetText(QString(QStringLiteral("slovo ")).repeated(100));
    bare.SetRect(QRect(QPoint(6, 0), QPoint(205, 199)));
    QApplication::processEvents();
    const QPoint first = bare.PosFromChar(0);
    EXPECT_EQ(first.x(), 6);
    const int lines = bare.GetLineCount();
    bare.resize(800, 200);
    QApplication::processEvents();
    EXPECT_EQ(bare.GetLineCount(), lines) << "the wrap width follows the rectangle, not the control";
    // Every line fits into the 200-pixel rectangle.
    for (int line = 0; line < lines; ++line) {
        const int end = bare.LineIndex(line) + bare.LineLength(bare.LineIndex(line));
        EXPECT_LE(bare.PosFromChar(end).x(), 206 + 1) << "line " << line;
    }
    bare.SetRect(QRect());
    QApplication::processEvents();
    EXPECT_LT(bare.GetLineCount(), lines) << "the default rectangle is the control's width again";
}

TEST_F(RichEditControlTest, TextModeIsAcceptedOnlyWhileEmpty)
{
    control.SetText(QStringLiteral("x"));
    EXPECT_FALSE(control.SetTextMode(TM_PLAINTEXT | TM_SINGLELEVELUNDO));
    EXPECT_EQ(control.GetTextMode(), TM_RICHTEXT | TM_MULTILEVELUNDO);
    control.SetText(QString());
    EXPECT_TRUE(control.SetTextMode(TM_PLAINTEXT | TM_SINGLELEVELUNDO));
    EXPECT_EQ(control.GetTextMode(), TM_PLAINTEXT | TM_SINGLELEVELUNDO);
}

TEST_F(RichEditControlTest, OptionOperationsCombineBits)
{
    EXPECT_EQ(control.SetOptions(ECOOP_SET, 0x41), 0x41u);
    EXPECT_EQ(control.SetOptions(ECOOP_OR, 0x2), 0x43u);
    EXPECT_EQ(control.SetOptions(ECOOP_AND, 0x3), 0x3u);
    EXPECT_EQ(control.SetOptions(ECOOP_XOR, 0x1), 0x2u);
    EXPECT_EQ(control.GetOptions(), 0x2u);
}

TEST_F(RichEditControlTest, NotificationsFollowTheEventMask)
{
    RecordingNotify notify;
    control.setNotify(&notify);
    control.SetEventMask(ENM_NONE);
    control.ReplaceSel(true, QStringLiteral("abc"));
    EXPECT_EQ(notify.changes, 0);
    EXPECT_EQ(notify.selectionChanges, 0);

    EXPECT_EQ(control.SetEventMask(ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE), ENM_NONE);
    control.ReplaceSel(true, QStringLiteral("\nřádek\nřádek"));
    EXPECT_GT(notify.changes, 0);
    EXPECT_GT(notify.selectionChanges, 0);
    EXPECT_GT(notify.lastResize.height(), 0) << "the content grew, so a new size is requested";
    control.setNotify(nullptr);
}

TEST_F(RichEditControlTest, ReplaceWithoutUndoEmptiesTheUndoHistory)
{
    control.ReplaceSel(true, QStringLiteral("a"));
    EXPECT_TRUE(control.CanUndo());
    control.ReplaceSel(false, QStringLiteral("b"));
    EXPECT_FALSE(control.CanUndo());
    EXPECT_EQ(control.GetText(), QStringLiteral("ab"));
}

// A stream that hands out its bytes in chunks of a fixed size, as a file does,
// and, like a slow disk, may wait before each.
struct ChunkedSource
{
    QByteArray bytes;
    int chunk;
    qsizetype offset = 0;
    std::chrono::milliseconds pause{0};

    static DWORD read(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* transferred)
    {
        auto* self = reinterpret_cast<ChunkedSource*>(cookie);
        std::this_thread::sleep_for(self->pause);
        const qsizetype n = std::min<qsizetype>({count, self->chunk, self->bytes.size() - self->offset});
        std::memcpy(buffer, self->bytes.constData() + self->offset, size_t(n));
        self->offset += n;
        *transferred = LONG(n);
        return 0;
    }
};

// Notes at each paint of the control's text area how many paragraphs the
// document has and how far the view is scrolled.
class PaintRecorder : public QObject
{
public:
    PaintRecorder(RichEditControl& control, std::vector<std::pair<int, int>>& paints)
        : m_control(control), m_paints(paints)
    {
        control.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_paints.emplace_back(m_control.document()->blockCount(), m_control.verticalScrollBar()->value());
        return false;
    }

private:
    RichEditControl& m_control;
    std::vector<std::pair<int, int>>& m_paints;
};

DWORD collect(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* transferred)
{
    reinterpret_cast<QByteArray*>(cookie)->append(reinterpret_cast<const char*>(buffer), count);
    *transferred = count;
    return 0;
}

DWORD failing(DWORD_PTR, BYTE*, LONG, LONG* transferred)
{
    *transferred = 0;
    return 5;
}

TEST_F(RichEditControlTest, PlainTextStreamsInAcrossChunksWithOneBreakPerCrLf)
{
    // The CR LF pair is split between two chunks of one byte each.
    for (int chunk : {1, 2, 3, 4096}) {
        ChunkedSource source{QByteArray("první\r\ndruhý\rtřetí\nčtvrtý"), chunk};
        EDITSTREAM stream{DWORD_PTR(&source), 0, ChunkedSource::read};
        control.StreamIn(SF_TEXT, stream);
        EXPECT_EQ(stream.dwError, 0u);
        EXPECT_EQ(control.document()->blockCount(), 4) << "chunk size " << chunk;
        EXPECT_EQ(control.GetText(), QStringLiteral("první\r\ndruhý\r\ntřetí\r\nčtvrtý"));
    }
}

// A whole document that takes long to read shows its first screen, from its top,
// while the rest is read. Text read into the selection, one undo step, is shown
// only when it is all read.
TEST_F(RichEditControlTest, ALongReadShowsTheFirstScreenOfAWholeDocumentEarly)
{
    QByteArray rtf("{\\rtf1 ");
    for (int paragraph = 0; paragraph < 2000; ++paragraph)
        rtf += "odstavec " + QByteArray::number(paragraph) + "\\par ";
    rtf += "}";
    for (const UINT format : {UINT(SF_RTF), UINT(SF_RTF | SFF_SELECTION)}) {
        control.SetText(QString(QStringLiteral("dřívější text\n")).repeated(100));
        control.verticalScrollBar()->setValue(control.verticalScrollBar()->maximum());
        QApplication::processEvents();
        ChunkedSource source{rtf, 4096, 0, std::chrono::milliseconds(25)}; // about 0.2 s in all
        EDITSTREAM stream{DWORD_PTR(&source), 0, ChunkedSource::read};
        std::vector<std::pair<int, int>> paints;
        PaintRecorder recorder(control, paints);
        control.StreamIn(format, stream);
        if (format & SFF_SELECTION) {
            EXPECT_TRUE(paints.empty());
            continue;
        }
        ASSERT_EQ(paints.size(), 1u);
        EXPECT_GT(paints[0].first, 1);
        EXPECT_LT(paints[0].first, 2000) << "shown before the rest was read";
        EXPECT_EQ(paints[0].second, 0) << "from the top";
        EXPECT_EQ(control.document()->blockCount(), 2000);
    }
}

TEST_F(RichEditControlTest, PlainTextStreamsOutAsUtf8WithCrLf)
{
    control.SetText(QStringLiteral("řádek\nnový"));
    QByteArray out;
    EDITSTREAM stream{DWORD_PTR(&out), 0, collect};
    EXPECT_EQ(control.StreamOut(SF_TEXT, stream), 11) << "characters written, the break as two";
    EXPECT_EQ(out, QStringLiteral("řádek\r\nnový").toUtf8());

    control.SetSel(0, 5);
    out.clear();
    control.StreamOut(SF_TEXT | SFF_SELECTION, stream);
    EXPECT_EQ(out, QStringLiteral("řádek").toUtf8());
}

TEST_F(RichEditControlTest, StreamErrorsAreReported)
{
    EDITSTREAM stream{0, 0, failing};
    control.SetText(QStringLiteral("zůstane"));
    control.StreamIn(SF_TEXT, stream);
    EXPECT_EQ(stream.dwError, 5u);
    EXPECT_EQ(control.GetText(), QStringLiteral("zůstane")) << "a failed read leaves the text alone";
    control.StreamOut(SF_TEXT, stream);
    EXPECT_EQ(stream.dwError, 5u);
}

TEST_F(RichEditControlTest, UnfocusedSelectionIsHiddenOrShownInTheCurrentPalettesColours)
{
    const QPalette saved = QApplication::palette();
    const auto inactive = [&](QPalette::ColorRole role) {
        return control.palette().color(QPalette::Inactive, role);
    };
    control.HideSelection(true, false);
    EXPECT_EQ(inactive(QPalette::Highlight).alpha(), 0);
    control.HideSelection(false, false);
    EXPECT_EQ(inactive(QPalette::Highlight), control.palette().color(QPalette::Active, QPalette::Highlight));

    QPalette other = saved;
    other.setColor(QPalette::Active, QPalette::Highlight, QColor(200, 30, 30));
    QApplication::setPalette(other);
    QApplication::processEvents(); // the widgets learn of the new palette
    EXPECT_EQ(inactive(QPalette::Highlight), QColor(200, 30, 30));
    QApplication::setPalette(saved);
}

struct DefaultFontRow
{
    const char* name;
    QFont font;
    LONG twips;
};

void PrintTo(const DefaultFontRow& row, std::ostream* out)
{
    *out << row.name;
}

class RichEditControlFontTest : public ::testing::TestWithParam<DefaultFontRow>
{
};

TEST_P(RichEditControlFontTest, TheWidgetFontIsTheDefaultFormatInWholePoints)
{
    RichEditControl control{RichEditStyle{}};
    control.setFont(GetParam().font);
    CHARFORMAT2A format;
    control.GetCharFormat(SCF_DEFAULT, format);
    EXPECT_EQ(format.yHeight, GetParam().twips);
    EXPECT_STREQ(format.szFaceName, GetParam().font.family().toUtf8().constData());
    EXPECT_EQ(control.document()->defaultFont().pointSizeF() * 20, GetParam().twips)
        << "what the writer reads";
}

QFont pixelFont(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RichEditControlFontTest,
    ::testing::Values(DefaultFontRow{"Points", QFont(QStringLiteral("Arial"), 10), 200},
                      DefaultFontRow{"PixelsOfTheMainWindow", pixelFont(QStringLiteral("MS Sans Serif"), 11),
                                     160},
                      DefaultFontRow{"PixelsOfTwelvePoints", pixelFont(QStringLiteral("Arial"), 16), 240},
                      DefaultFontRow{"TinyPixels", pixelFont(QStringLiteral("Arial"), 1), 20}),
    [](const ::testing::TestParamInfo<DefaultFontRow>& info) { return std::string(info.param.name); });

} // namespace

namespace {

// A format change over a long range is laid out after it returns, in steps;
// the lines come out the same as if it had been laid out at once.
TEST_F(RichEditControlTest, LongFormatChangeIsLaidOutAfterwards)
{
    control.SetText(
        QString(QStringLiteral("slovo slovo slovo slovo slovo\n")).repeated(3000)); // 90,000 characters
    const QSizeF pageSize = control.document()->pageSize();
    control.SetSel(0, -1);
    CHARFORMAT2A bigger;
    bigger.dwMask = CFM_SIZE;
    bigger.yHeight = 600;
    ASSERT_TRUE(control.SetCharFormat(SCF_SELECTION, bigger));
    EXPECT_EQ(control.document()->pageSize(), pageSize);
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.GetLineCount() == laidOutLines(); }, 10000))
        << control.GetLineCount() << " lines, " << laidOutLines() << " laid out";
    EXPECT_GT(control.GetLineCount(), 3000); // 30-point words wrap in 300 pixels
}

// The answer for a selection follows every change of its formats, undo included.
TEST_F(RichEditControlTest, SelectionFormatFollowsChangesAndUndo)
{
    control.SetText(QStringLiteral("alpha beta"));
    control.SetSel(0, 5);
    const auto isBold = [this] {
        CHARFORMAT2A format;
        control.GetCharFormat(SCF_SELECTION, format);
        return (format.dwEffects & CFE_BOLD) != 0;
    };
    EXPECT_FALSE(isBold());
    CHARFORMAT2A bold;
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    control.SetCharFormat(SCF_SELECTION, bold);
    EXPECT_TRUE(isBold());
    control.Undo();
    control.SetSel(0, 5);
    EXPECT_FALSE(isBold());
}

// A move without a button over a link shows the hand and reports the move;
// off the link the text's own pointer comes back.
TEST_F(RichEditControlTest, PointerOverALinkIsAHand)
{
    RecordingNotify notify;
    control.setNotify(&notify);
    control.SetEventMask(ENM_LINK);
    control.SetText(QStringLiteral("viz https://example.com/stranka a dál"));
    const auto moveTo = [&](int position) {
        QTextCursor at(control.document());
        at.setPosition(position);
        const QPointF point = control.cursorRect(at).center() + QPointF(2, 0);
        QMouseEvent move(QEvent::MouseMove, point, control.viewport()->mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control.viewport(), &move);
        return control.viewport()->cursor().shape();
    };
    const Qt::CursorShape textPointer = control.viewport()->cursor().shape();
    EXPECT_EQ(moveTo(10), Qt::PointingHandCursor);
    ASSERT_EQ(notify.links.size(), 1u);
    EXPECT_EQ(notify.links[0].first, UINT(WM_MOUSEMOVE));
    EXPECT_EQ(notify.links[0].second, (CHARRANGE{4, 31}));
    EXPECT_EQ(moveTo(34), textPointer);
    EXPECT_EQ(notify.links.size(), 1u);
}

// Text that looks like a URL is drawn in the link colour while detection is on.
TEST_F(RichEditControlTest, DetectedLinksAreDrawnAsLinksOnlyWhileDetectionIsOn)
{
    control.SetText(QStringLiteral("viz https://example.com/stranka a dál"));
    const auto bluePixels = [&] {
        QApplication::processEvents();
        const QImage picture = control.viewport()->grab().toImage();
        int blue = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                blue += picture.pixelColor(x, y) == QColor(0, 0, 255);
        return blue;
    };
    EXPECT_GT(bluePixels(), 20);
    control.AutoUrlDetect(false);
    EXPECT_EQ(bluePixels(), 0);
    control.AutoUrlDetect(true);
    control.SetSel(0, -1); // a selection is drawn over the link
    EXPECT_EQ(bluePixels(), 0);
}

// While a long document is measured again after a width change, the paragraph
// at the top of the view stays there, though the paragraphs above it grow.
TEST_F(RichEditControlTest, ViewKeepsItsPlaceWhileTheDocumentIsMeasured)
{
    control.SetText(QString(QStringLiteral("slovo ")).repeated(12).append(QLatin1Char('\n')).repeated(6000));
    auto* layout = qobject_cast<RichEditLayout*>(control.document()->documentLayout());
    ASSERT_NE(layout, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return layout->isComplete(); }, 20000));
    control.resize(200, 200);
    ASSERT_FALSE(layout->isComplete());
    const QTextBlock shown = control.document()->findBlockByNumber(5000);
    control.verticalScrollBar()->setValue(int(layout->blockBoundingRect(shown).top()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return layout->isComplete(); }, 20000));
    EXPECT_EQ(control.cursorForPosition(QPoint(1, 1)).blockNumber(), 5000);
}

} // namespace
