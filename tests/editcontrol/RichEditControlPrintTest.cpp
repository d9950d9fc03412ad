#include "editcontrol/RichEditControl.h"

#include <QImage>
#include <QPainter>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int Dpi = 96;

// Pages of 3 x 2 inches, drawn on a paper image of 96 dpi.
class FormatRangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        control.ExLimitText(0xFFFFFF);
        paper.setDotsPerMeterX(qRound(Dpi / 0.0254));
        paper.setDotsPerMeterY(qRound(Dpi / 0.0254));
        paper.fill(Qt::white);
        range.rc = RECT{0, 0, 3 * 1440, 2 * 1440};
        range.rcPage = range.rc;
        range.chrg = CHARRANGE{0, EndOfText};
    }

    void setParagraphs(int count)
    {
        control.SetText(QString());
        QTextCursor cursor(control.document());
        for (int index = 0; index < count; ++index)
            cursor.insertText(
                QStringLiteral("%1Odstavec s českým textem číslo %2").arg(index ? "\n" : "").arg(index));
    }

    // The first character of every page, as a printing loop meets them.
    std::vector<LONG> pageStarts()
    {
        std::vector<LONG> starts{0};
        for (;;) {
            range.chrg.cpMin = starts.back();
            const LONG next = control.FormatRange(false, &range);
            if (next >= control.GetTextLength() || int(starts.size()) > 1000)
                return starts;
            starts.push_back(next);
        }
    }

    RichEditControl control{RichEditStyle{}};
    QImage paper{3 * Dpi, 2 * Dpi, QImage::Format_RGB32};
    FORMATRANGE range;
};

struct PagesCase
{
    const char* name;
    int paragraphs;
    int minimumPages;
    int maximumPages;
};

class FormatRangePagesTest : public FormatRangeTest, public ::testing::WithParamInterface<PagesCase>
{
};

TEST_P(FormatRangePagesTest, PageStartsIncreaseAndTheLastPageEndsAtTheTextLength)
{
    setParagraphs(GetParam().paragraphs);
    const std::vector<LONG> starts = pageStarts();
    EXPECT_GE(int(starts.size()), GetParam().minimumPages);
    EXPECT_LE(int(starts.size()), GetParam().maximumPages);
    for (std::size_t index = 1; index < starts.size(); ++index) {
        EXPECT_GT(starts[index], starts[index - 1]);
        EXPECT_LT(starts[index], control.GetTextLength());
    }
    range.chrg.cpMin = starts.back();
    EXPECT_EQ(control.FormatRange(false, &range), control.GetTextLength());
}

INSTANTIATE_TEST_SUITE_P(Documents, FormatRangePagesTest,
                         ::testing::Values(PagesCase{"Empty", 0, 1, 1}, PagesCase{"OneParagraph", 1, 1, 1},
                                           PagesCase{"FourParagraphs", 4, 1, 1},
                                           PagesCase{"TwoHundredParagraphs", 200, 10, 200}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormatRangeTest, TheLayoutIsKeptUntilACallWithNoRange)
{
    setParagraphs(100);
    const std::vector<LONG> before = pageStarts();
    // A longer first paragraph moves the page starts, but only once the kept pages are dropped.
    QTextCursor(control.document())
        .insertText(QStringLiteral("Úvod, který je tak dlouhý, že se zalomí do dvou řádků.\n"));
    EXPECT_EQ(pageStarts(), before);
    EXPECT_EQ(control.FormatRange(false, nullptr), 0);
    EXPECT_NE(pageStarts(), before);
}

TEST_F(FormatRangeTest, RenderDrawsThePageAtTheRectangleAndMeasuringDrawsNothing)
{
    const auto inkIn = [this](int left, int right) {
        for (int y = 0; y < paper.height(); ++y)
            for (int x = left; x < right; ++x)
                if (paper.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    setParagraphs(100);
    range.chrg.cpMin = pageStarts()[1];
    QPainter painter(&paper);
    range.hdc = &painter;
    control.FormatRange(false, &range);
    EXPECT_FALSE(inkIn(0, paper.width()));
    // Shifted one inch right, the page leaves the left inch blank.
    range.rc = RECT{1440, 0, 4 * 1440, 2 * 1440};
    control.FormatRange(true, &range);
    painter.end();
    EXPECT_FALSE(inkIn(0, Dpi));
    EXPECT_TRUE(inkIn(Dpi, paper.width()));
}

} // namespace
