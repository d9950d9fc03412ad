#pragma once

// A shown ruler configured the way the main window configures its own
// (857 x 25, margins 62 and 87, handles at 62, 62 and 183, margin lines not draggable), with every event
// written to a log as "<event> <id>".

#include "ruler/TZvRuler.h"
#include "ruler/TZvRulerHandle.h"

#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

// The first-line, left and right indents.
inline std::array<int, 3> indentsOf(const TZvRuler& ruler)
{
    return {ruler.IndentFirst(), ruler.IndentLeft(), ruler.IndentRight()};
}

class MainWindowRuler : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(900, 300);
        ruler.setParent(&window);
        ruler.setGeometry(0, 0, 857, 25);
        ruler.setMarginRight(87);
        ruler.setMarginLeft(62);
        ruler.setIndentFirst(62);
        ruler.setIndentLeft(62);
        ruler.setIndentRight(183);
        ruler.setShowMarginHandlers(false);
        const auto logIndent = [this](const char* name) {
            return [this, name](QObject* sender, TIndentID id) {
                EXPECT_EQ(sender, &ruler);
                log << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(int(id));
            };
        };
        const auto logMargin = [this](const char* name) {
            return [this, name](QObject* sender, TMarginID id) {
                EXPECT_EQ(sender, &ruler);
                log << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(int(id));
            };
        };
        ruler.OnIndentClick = logIndent("click");
        ruler.OnIndentDrag = logIndent("drag");
        ruler.OnIndentChange = logIndent("change");
        ruler.OnIndentDblClick = logIndent("dblclick");
        ruler.OnMarginClick = logMargin("marginclick");
        ruler.OnMarginDrag = logMargin("margindrag");
        ruler.OnMarginChange = logMargin("marginchange");
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    std::array<int, 3> indents() const
    {
        return {ruler.IndentFirst(), ruler.IndentLeft(), ruler.IndentRight()};
    }

    // Presses a handle at its middle, moves the pointer dx pixels and releases it.
    void dragHandle(TIndentID kind, int dx)
    {
        TZvRulerHandle* handle = ruler.handle(kind);
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(4, 3));
        QTest::mouseMove(handle, QPoint(4 + dx, 3));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(4, 3));
    }

    QWidget window;
    TZvRuler ruler;
    QStringList log;
};
