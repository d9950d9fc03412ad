// The ruler's model: initial state, the indent and margin rules with the
// values they refuse, the handles' places, and the two indent steps.

#include "ruler/TZvRuler.h"

#include "MainWindowRuler.h"

#include <gtest/gtest.h>

namespace {

using TZvRulerTest = MainWindowRuler;

struct IndentCase
{
    const char* name;
    int minIndentDist;
    TIndentID indent;
    int value;
    bool accepted;
};

// A 400-pixel ruler with the first-line and left handles at 45 and the right one at 300.
class TZvRulerIndentRule : public ::testing::TestWithParam<IndentCase>
{
};

const IndentCase indentCases[] = {
    {"FirstAtDistanceLimit", 50, riFirst, 250, false},
    {"FirstJustInsideDistance", 50, riFirst, 249, true},
    {"FirstNegative", 50, riFirst, -1, false},
    {"FirstAtZero", 50, riFirst, 0, true},
    {"FirstAtWidthMinusFour", -1000, riFirst, 396, false},
    {"FirstAtWidthMinusFive", -1000, riFirst, 395, true},
    {"FirstUnchanged", 50, riFirst, 45, false},
    {"LeftAtDistanceLimit", 50, riLeft, 250, false},
    {"LeftJustInsideDistance", 50, riLeft, 249, true},
    {"LeftNegative", 50, riLeft, -1, false},
    {"RightAtDistanceLimit", 50, riRight, 95, false},
    {"RightJustOutsideDistance", 50, riRight, 96, true},
    {"RightAtWidthMinusFour", 50, riRight, 396, false},
    {"RightAtWidthMinusFive", 50, riRight, 395, true},
};

INSTANTIATE_TEST_SUITE_P(Values, TZvRulerIndentRule, ::testing::ValuesIn(indentCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(TZvRulerIndentRule, AcceptsOrRefusesAValueAsAWhole)
{
    const IndentCase& row = GetParam();
    TZvRuler ruler;
    ruler.resize(400, 25);
    ruler.setIndentRight(300);
    ruler.setMinIndentDist(row.minIndentDist);
    std::array<int, 3> expected = indentsOf(ruler);
    if (row.accepted)
        expected[row.indent] = row.value;
    constexpr std::array setters{&TZvRuler::setIndentFirst, &TZvRuler::setIndentLeft,
                                 &TZvRuler::setIndentRight};
    (ruler.*setters[row.indent])(row.value);
    EXPECT_EQ(indentsOf(ruler), expected);
    // The both-left box always stands under the left-indent handle.
    EXPECT_EQ(ruler.handle(riBothLeft)->x(), ruler.IndentLeft());
}

} // namespace

TEST(TZvRulerModelTest, ANewRulerPlacesItsHandlesInsideItWhateverTheBorders)
{
    TZvRuler ruler;
    EXPECT_EQ(ruler.handle(riFirst)->geometry(), QRect(45, 2, 9, 8));
    EXPECT_EQ(ruler.handle(riLeft)->geometry(), QRect(45, 12, 9, 8));
    EXPECT_EQ(ruler.handle(riRight)->geometry(), QRect(250, 12, 9, 8));
    EXPECT_EQ(ruler.handle(riBothLeft)->geometry(), QRect(45, 20, 9, 7));
    // Tops stay inside the ruler whatever the borders.
    ruler.setBorderUp(-10);
    ruler.setBorderDown(40);
    EXPECT_EQ(ruler.handle(riFirst)->y(), 0);
    EXPECT_EQ(ruler.handle(riLeft)->y(), 0);
    ruler.setBorderUp(30);
    ruler.setBorderDown(0);
    EXPECT_EQ(ruler.handle(riFirst)->y(), 17);
    EXPECT_EQ(ruler.handle(riRight)->y(), 12);
}

TEST_F(TZvRulerTest, TheMainWindowsValuesPlaceHandlesAndMarginLines)
{
    EXPECT_EQ(indents(), (std::array<int, 3>{62, 62, 183}));
    EXPECT_EQ(ruler.rulerGeometry().leftMarginLine(), 67);
    EXPECT_EQ(ruler.rulerGeometry().rightMarginLine(), 765);
}

TEST_F(TZvRulerTest, MarginsCarryTheIndentsOnTheirSideAndRefuseANegativeWritingArea)
{
    ruler.setMarginRight(77);
    EXPECT_EQ(indents(), (std::array<int, 3>{62, 62, 193}));
    ruler.setMarginRight(87);
    ruler.setMarginLeft(761);
    EXPECT_EQ(ruler.MarginLeft(), 62);
    ruler.setMarginLeft(-1);
    EXPECT_EQ(ruler.MarginLeft(), 62);
    // The margin moves even where its indents are refused.
    ruler.setMarginLeft(760);
    EXPECT_EQ(ruler.MarginLeft(), 760);
    EXPECT_EQ(indents(), (std::array<int, 3>{62, 62, 183}));
    EXPECT_TRUE(log.isEmpty());

    TZvRuler fresh;
    fresh.resize(857, 25);
    fresh.setMarginLeft(62);
    EXPECT_EQ(fresh.IndentFirst(), 77);
    EXPECT_EQ(fresh.IndentLeft(), 77);
}

TEST_F(TZvRulerTest, IndentStepsMoveTheLeftEdgeUntilARuleStopsEachHandle)
{
    ruler.IncreaseIndent();
    EXPECT_EQ(indents(), (std::array<int, 3>{72, 72, 183}));
    ruler.setIndentFirst(52);
    for (int i = 0; i < 8; ++i)
        ruler.IncreaseIndent();
    // Left stops at 132 (183 - 142 would be 41); the first-line handle catches up.
    EXPECT_EQ(indents(), (std::array<int, 3>{132, 132, 183}));
    EXPECT_EQ(log.size(), 9);
    EXPECT_EQ(log.count(QStringLiteral("change 3")), 9);

    ruler.setIndentFirst(10);
    ruler.setIndentLeft(0);
    log.clear();
    ruler.DecreaseIndent();
    EXPECT_EQ(indents(), (std::array<int, 3>{0, 0, 183}));
    ruler.DecreaseIndent();
    EXPECT_EQ(indents(), (std::array<int, 3>{0, 0, 183}));
    EXPECT_EQ(log, QStringList({QStringLiteral("change 3"), QStringLiteral("change 3")}));
}

TEST_F(TZvRulerTest, HiddenIndentsStayReadableAndWritable)
{
    ruler.setShowIndents(false);
    for (const TIndentID kind : {riFirst, riLeft, riRight, riBothLeft})
        EXPECT_FALSE(ruler.handle(kind)->isVisible());
    ruler.setIndentLeft(90);
    EXPECT_EQ(ruler.IndentLeft(), 90);
    ruler.setShowIndents(true);
    EXPECT_TRUE(ruler.handle(riBothLeft)->isVisible());
}
