// Working the ruler with the mouse: dragging each handle onto the RulerTab
// grid with the events it fires, clicks and double clicks, the margin lines,
// the cursor and the guide lines on a linked editor.

#include "ruler/RulerGuideOverlay.h"

#include "MainWindowRuler.h"

#include <gtest/gtest.h>

namespace {

class TZvRulerInteractionTest : public MainWindowRuler
{
protected:
    // A move with no button held, as the window system delivers it, in the row between the handles.
    void hover(int x)
    {
        QTest::mouseMove(window.windowHandle(), ruler.mapTo(&window, QPoint(x, 10)));
        QCoreApplication::processEvents();
    }
};

struct DragCase
{
    const char* name;
    TIndentID handle;
    int dx;
    std::array<int, 3> indents;
    QStringList events;
};

class TZvRulerDrag : public MainWindowRuler, public ::testing::WithParamInterface<DragCase>
{
};

// Handles start at 62, 62 and 183 with RulerTab 10 and MinIndentDist 50.
const DragCase dragCases[] = {
    {"FirstSnapsToTheAbsoluteGrid", riFirst, 5, {60, 62, 183}, {"click 0", "drag 0", "change 0"}},
    {"LeftLeavesTheFirstLineHandle", riLeft, 20, {62, 80, 183}, {"click 1", "drag 1", "change 1"}},
    {"BothLeftMovesBothByTheSameDistance",
     riBothLeft,
     20,
     {80, 80, 183},
     {"click 3", "drag 1", "drag 0", "change 3"}},
    {"RightMovesLeft", riRight, -40, {62, 62, 140}, {"click 2", "drag 2", "change 2"}},
    {"FirstRefusedNearTheRightHandle", riFirst, 100, {62, 62, 183}, {"click 0", "change 0"}},
    {"RightRefusedNearTheOthers", riRight, -70, {62, 62, 183}, {"click 2", "change 2"}},
};

INSTANTIATE_TEST_SUITE_P(Handles, TZvRulerDrag, ::testing::ValuesIn(dragCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(TZvRulerDrag, LandsOnTheGridAndFiresEachEventOnce)
{
    dragHandle(GetParam().handle, GetParam().dx);
    EXPECT_EQ(indents(), GetParam().indents);
    EXPECT_EQ(log, GetParam().events);
    EXPECT_FALSE(ruler.interaction().isDraggingHandle());
}

} // namespace

TEST_F(TZvRulerInteractionTest, OnlyTheLeftButtonDragsAHandle)
{
    TZvRulerHandle* first = ruler.handle(riFirst);
    QTest::mousePress(first, Qt::RightButton, {}, QPoint(4, 3));
    QTest::mouseRelease(first, Qt::RightButton, {}, QPoint(4, 3));
    EXPECT_TRUE(log.isEmpty());

    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(4, 3));
    QTest::mouseRelease(first, Qt::RightButton, {}, QPoint(4, 3));
    EXPECT_TRUE(ruler.interaction().isDraggingHandle());
    // Writing the current value during a drag moves nothing and fires nothing.
    ruler.setIndentFirst(62);
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(4, 3));
    EXPECT_EQ(log, QStringList({"click 0", "change 0"}));
}

TEST_F(TZvRulerInteractionTest, ADoubleClickStartsOneDragOnly)
{
    // Through the window, so that Qt turns the two clicks into its real sequence of events.
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                       ruler.handle(riRight)->mapTo(&window, QPoint(4, 3)));
    EXPECT_EQ(log.count("click 2"), 1);
    EXPECT_EQ(log.count("change 2"), 1);
    EXPECT_EQ(log.count("dblclick 2"), 1);
    EXPECT_FALSE(ruler.interaction().isDraggingHandle());
    // The skip flag is spent: the next press drags again.
    log.clear();
    dragHandle(riRight, 20);
    EXPECT_EQ(log, QStringList({"click 2", "drag 2", "change 2"}));
}

TEST_F(TZvRulerInteractionTest, MarginLinesAreDraggedOnlyWithMarginHandlersShown)
{
    ruler.setShowMarginHandlers(false);
    hover(67);
    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(67, 12));
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(67, 12));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(ruler.testAttribute(Qt::WA_SetCursor));

    ruler.setShowMarginHandlers(true);
    for (const int x : {64, 70, 700}) {
        QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(x, 12));
        QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(x, 12));
    }
    EXPECT_TRUE(log.isEmpty());
    hover(69);
    EXPECT_EQ(ruler.cursor().shape(), Qt::SizeHorCursor);

    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(69, 12));
    QTest::mouseMove(&ruler, QPoint(100, 12));
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(100, 12));
    EXPECT_EQ(ruler.MarginLeft(), 90);
    EXPECT_EQ(indents(), (std::array<int, 3>{90, 90, 183}));
    EXPECT_EQ(log, QStringList({"marginclick 0", "margindrag 0", "marginchange 0"}));
    EXPECT_EQ(ruler.cursor().shape(), Qt::ArrowCursor);

    log.clear();
    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(766, 12));
    QTest::mouseMove(&ruler, QPoint(800, 12));
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(800, 12));
    EXPECT_EQ(ruler.MarginRight(), 50);
    EXPECT_EQ(ruler.IndentRight(), 220);
    EXPECT_EQ(log, QStringList({"marginclick 1", "margindrag 1", "marginchange 1"}));
}

TEST_F(TZvRulerInteractionTest, GuideLineFollowsADraggedHandleOnTheLinkedEditor)
{
    QWidget editor(&window);
    editor.setGeometry(20, 30, 857, 200);
    editor.show();
    ruler.setRichedit(&editor);
    const RulerGuideOverlay* overlay = ruler.guide().overlay();
    ASSERT_NE(overlay, nullptr);

    TZvRulerHandle* left = ruler.handle(riLeft);
    QTest::mousePress(left, Qt::LeftButton, {}, QPoint(4, 3));
    EXPECT_EQ(overlay->lines(), QList<int>({62 + 4 - 20}));
    QTest::mouseMove(left, QPoint(24, 3));
    EXPECT_EQ(overlay->lines(), QList<int>({80 + 4 - 20}));
    QTest::mouseRelease(left, Qt::LeftButton, {}, QPoint(4, 3));
    EXPECT_TRUE(overlay->lines().isEmpty());

    ruler.setRichedit(nullptr);
    EXPECT_EQ(ruler.guide().overlay(), nullptr);
}
