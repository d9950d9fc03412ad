// The timer component under a stand-in for the passing of time, and back on
// the system's time once the stand-in ends.

#include "platform/TTimer.h"

#include <QString>
#include <QTest>

#include <gtest/gtest.h>

using std::chrono::milliseconds;

TEST(TTimerTest, ManualTimeTicksEachTimerAtItsMomentsInTheirOrder)
{
    TTimer::ManualTime time;
    time.advance(milliseconds(7)); // the timers count from their own start
    QString ticks;
    TTimer fast(nullptr), slow(nullptr), slowing(nullptr), idle(nullptr);
    fast.setInterval(30);
    slow.setInterval(50);
    slowing.setInterval(40);
    idle.setInterval(0);
    fast.OnTimer = [&](QObject*) { ticks += 'f'; };
    slow.OnTimer = [&](QObject*) { ticks += 's'; };
    idle.OnTimer = [&](QObject*) { ticks += 'i'; };
    // Its first tick sets a shorter period, counted from that tick: at 40, 65, 90.
    slowing.OnTimer = [&](QObject*) {
        ticks += 'w';
        slowing.setInterval(25);
    };
    time.advance(milliseconds(29));
    EXPECT_EQ(ticks, QString());
    time.advance(milliseconds(71));
    // From their start: f at 30, 60, 90; s at 50, 100; w at 40, 65, 90, where it
    // comes after f, whose count began earlier.
    EXPECT_EQ(ticks, QStringLiteral("fwsfwfws"));
    EXPECT_FALSE(idle.isRunning());

    fast.setEnabled(false);
    time.advance(milliseconds(30));
    EXPECT_EQ(ticks.count('f'), 3);
}

TEST(TTimerTest, ATimerOutlivingTheManualTimeTicksOnTheSystemsTime)
{
    int ticks = 0;
    TTimer timer(nullptr);
    timer.OnTimer = [&](QObject* sender) { ticks += sender == &timer ? 1 : 100; };
    {
        TTimer::ManualTime time;
        timer.setInterval(10);
        time.advance(milliseconds(10));
        EXPECT_EQ(ticks, 1);
    }
    EXPECT_TRUE(timer.isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 1; }, 30000));
}
