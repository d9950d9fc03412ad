// Damaged, hostile and chunked input: the reader never crashes, hangs or grows without
// bound, and reads what makes sense.

#include "rtf/RtfReader.h"

#include "format/TextFormatProperties.h"
#include "tests/rtf/RtfTestSupport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

QString textOf(const QByteArray& rtf, qsizetype chunkSize = 4096)
{
    return readRtf(rtf, chunkSize)->toPlainText();
}

} // namespace

TEST(RtfRobustnessTest, UnbalancedBraces)
{
    EXPECT_EQ(textOf("{\\rtf1 a}}}"), QStringLiteral("a"));
    EXPECT_EQ(textOf("{\\rtf1 a}b"), QStringLiteral("a")); // after the document's end
    EXPECT_EQ(textOf("{\\rtf1 {\\b a"), QStringLiteral("a"));
    EXPECT_EQ(textOf("{\\rtf1 {{{{\\i x"), QStringLiteral("x"));
    EXPECT_EQ(textOf("{\\rtf1 {\\b a}}} b}"), QStringLiteral("a"));
}

TEST(RtfRobustnessTest, TruncatedFilesReadUpToTheCut)
{
    const QByteArray whole = sampleRtf("features.rtf");
    ASSERT_FALSE(whole.isEmpty());
    const QString full = textOf(whole);
    for (qsizetype cut = 0; cut < whole.size(); cut += 7) {
        const QString part = textOf(whole.left(cut));
        // Whatever was read of the first paragraph is the start of the full text.
        const QString firstLine = part.section(u'\n', 0, 0);
        EXPECT_TRUE(full.startsWith(firstLine)) << cut;
    }
    EXPECT_TRUE(textOf(whole.left(whole.indexOf("konec") + 3)).contains(QStringLiteral("A2")));
}

TEST(RtfRobustnessTest, DeepNestingIsReadWithBoundedState)
{
    constexpr int Depth = 100000;
    QByteArray rtf = "{\\rtf1 start";
    rtf += QByteArray(Depth, '{');
    rtf += "\\b deep\\par";
    rtf += QByteArray(Depth, '}');
    rtf += " end}";
    QElapsedTimer timer;
    timer.start();
    const auto document = readRtf(rtf);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(document->toPlainText(), QStringLiteral("startdeep\n end"));

    // Left open: the same text, nothing more.
    QByteArray open = "{\\rtf1 a";
    open += QByteArray(Depth, '{');
    open += "b";
    EXPECT_EQ(textOf(open), QStringLiteral("ab"));
}

TEST(RtfRobustnessTest, DestinationsBeyondTheDepthLimitDoNotSwallowTheRest)
{
    QByteArray rtf = "{\\rtf1 a";
    rtf += QByteArray(2000, '{');
    rtf += "{\\fonttbl x}{\\*\\unknown y}z";
    rtf += QByteArray(2000, '}');
    rtf += "b}";
    const QString text = textOf(rtf);
    EXPECT_TRUE(text.startsWith(u'a'));
    EXPECT_TRUE(text.endsWith(QStringLiteral("zb")));
}

TEST(RtfRobustnessTest, HugeBinCountIsBoundedByTheInput)
{
    QByteArray rtf = "{\\rtf1 before{\\pict\\pngblip\\bin2000000000 ";
    rtf += QByteArray(1000, '\xff');
    rtf += "}} after}";
    // The binary data swallows the rest of the input: nothing more is read, nothing is
    // preallocated, and the text before stays.
    EXPECT_EQ(textOf(rtf), QStringLiteral("before"));
    EXPECT_EQ(textOf("{\\rtf1 a\\bin-5 b}"), QStringLiteral("ab"));
}

TEST(RtfRobustnessTest, BinDataMayHoldBracesAndBackslashes)
{
    const QByteArray rtf("{\\rtf1 a{\\*\\objdata\\bin6 }{\\}\\{}b{\\pict\\wmetafile8\\bin3 }}}}c}");
    EXPECT_EQ(textOf(rtf), QStringLiteral("ab\uFFFCc"));
    EXPECT_EQ(textOf(rtf, 1), QStringLiteral("ab\uFFFCc"));
}

TEST(RtfRobustnessTest, HugeAndNegativeNumbersAreClamped)
{
    const char* rtf =
        "{\\rtf1{\\fonttbl{\\f-1 Neg;}{\\f99999999999999 Big;}}{\\colortbl;\\red999\\green-5\\blue0;}"
        "\\fs99999999999999\\li-99999999999\\fi2147483648\\sl-2147483649\\cf-3\\cf1\\uc99999 a"
        "\\uc1\\u99999999999 xb\\ansicpg-1\\ansicpg0 \\'e8\\ls-7\\ilvl99999 c\\par"
        "\\trowd\\cellx-99999999\\cellx99999999999\\intbl d\\cell\\row"
        "{\\pict\\pngblip\\picw-1\\pich99999999999\\picwgoal-5\\picscalex0 00}}";
    const QString text = textOf(rtf);
    EXPECT_TRUE(text.startsWith(QStringLiteral("ab")));
    EXPECT_TRUE(text.contains(QStringLiteral("c\n")));
    EXPECT_TRUE(text.contains(u'd'));
}

TEST(RtfRobustnessTest, OverlongControlWordsAndBrokenEscapes)
{
    QByteArray rtf = "{\\rtf1 a\\";
    rtf += QByteArray(100000, 'x');
    rtf += "123456789012345678901234567890 b\\'zz c\\'4";
    EXPECT_EQ(textOf(rtf), QStringLiteral("ab c"));
}

TEST(RtfRobustnessTest, RandomBytesAfterTheHeaderNeverCrash)
{
    QRandomGenerator random(1234);
    const QByteArray alphabet("{}\\'*0123456789abcdefuvbinpictrowcellpar ;-\x01\xff\xe8");
    for (int round = 0; round < 200; ++round) {
        QByteArray rtf = "{\\rtf1 ";
        const int length = random.bounded(1, 2000);
        for (int index = 0; index < length; ++index)
            rtf += alphabet.at(random.bounded(int(alphabet.size())));
        const auto document = readRtf(rtf, random.bounded(1, 64));
        // Whatever was read writes and reads again.
        readRtf(writeRtf(*document));
    }
    SUCCEED();
}

TEST(RtfRobustnessTest, ChunkBoundariesDoNotChangeTheResult)
{
    for (const char* name : {"features.rtf", "czech-wordpad.rtf"}) {
        SCOPED_TRACE(name);
        const QByteArray rtf = sampleRtf(name);
        ASSERT_FALSE(rtf.isEmpty());
        const auto whole = readRtf(rtf, rtf.size());
        const QByteArray expected = writeRtf(*whole);
        for (qsizetype chunk : {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(7), qsizetype(4096)}) {
            const auto document = readRtf(rtf, chunk);
            EXPECT_EQ(document->toPlainText(), whole->toPlainText()) << chunk;
            EXPECT_EQ(writeRtf(*document), expected) << chunk;
        }
    }
}

TEST(RtfRobustnessTest, LongTablesAndListsReadInLinearTime)
{
    QByteArray rows = "{\\rtf1 ";
    for (int row = 0; row < 20000; ++row)
        rows += "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row ";
    rows += "\\pard after}";
    QElapsedTimer timer;
    timer.start();
    const auto table = readRtf(rows);
    EXPECT_LT(timer.elapsed(), 5000);
    QTextTable* read = qobject_cast<QTextTable*>(table->rootFrame()->childFrames().value(0));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->rows(), 20000); // no spare rows left over
    EXPECT_EQ(table->lastBlock().text(), QStringLiteral("after"));

    QByteArray items = "{\\rtf1 ";
    for (int item = 0; item < 20000; ++item)
        items += "{\\*\\pn\\pnlvlbody\\pndec\\pnstart1}a\\par ";
    items += "}";
    timer.restart();
    const auto list = readRtf(items);
    EXPECT_LT(timer.elapsed(), 5000);
    // The numbering goes on where a long list continues in a new QTextList.
    const QTextBlock item1500 = list->findBlockByNumber(1500);
    ASSERT_NE(item1500.textList(), nullptr);
    EXPECT_EQ(item1500.blockFormat().intProperty(TextFormatProperties::BlockNumberingStart) +
                  item1500.textList()->itemNumber(item1500),
              1501);
}

TEST(RtfRobustnessTest, CellsBeyondTheWidestTableShareTheLastCell)
{
    QByteArray rtf = "{\\rtf1\\intbl ";
    for (int cell = 0; cell < 3000; ++cell)
        rtf += "c" + QByteArray::number(cell) + "\\cell ";
    rtf += "\\row}";
    const auto document = readRtf(rtf);
    QTextTable* table = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columns(), 64);
    EXPECT_TRUE(document->toPlainText().contains(QStringLiteral("c63\tc64\tc65")));
    EXPECT_TRUE(document->toPlainText().contains(QStringLiteral("c2999")));
}
