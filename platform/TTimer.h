#pragma once

// The toolkit's timer component: it ticks every Interval milliseconds while
// Enabled, and not at all while the interval is 0 (a QTimer with interval 0
// would fire at every pass of the event loop). Both properties keep their
// value whether or not the timer runs, so an enabled timer with period 0 still
// reads as enabled. Setting a different interval restarts the count.
//
// The time the timers count is the system's, unless a test stands in for it
// with a ManualTime (below).

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <vector>

class TTimer : public QObject
{
    Q_OBJECT
public:
    class ManualTime;

    // Design state: enabled, one tick per second. A precise timer never ticks
    // early; a coarse one may, by a few per cent of its interval.
    explicit TTimer(QObject* owner, Qt::TimerType accuracy = Qt::CoarseTimer);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool value);
    int Interval() const { return m_interval; } // milliseconds
    void setInterval(int value);                // a negative period counts as 0
    // True while ticks arrive: enabled with a period above 0.
    bool isRunning() const { return m_timer.isActive() || m_manualTime; }

    std::function<void(QObject* sender)> OnTimer;

private:
    void restart();
    void tick();

    QTimer m_timer;
    ManualTime* m_manualTime = nullptr; // the stand-in that counts the interval, if one does
    bool m_enabled = true;
    int m_interval = 1000;
};

// Stands in for the passing of time, so that a test says "the delay has
// passed" instead of waiting for it. While it exists, every timer that starts
// or restarts counts its interval on it and ticks only within advance(); a
// timer already counting on the system's time goes on doing so. When it ends,
// the timers still counting on it count their interval afresh on the system's
// time. One exists at a time.
class TTimer::ManualTime
{
public:
    ManualTime();
    ~ManualTime();
    ManualTime(const ManualTime&) = delete;
    ManualTime& operator=(const ManualTime&) = delete;

    // Lets `span` pass. Each timer ticks at every moment its interval comes
    // round within it, in the order of those moments (equal ones in the order
    // the timers started), and whatever a tick restarts counts from its moment.
    void advance(std::chrono::milliseconds span);

private:
    friend class TTimer;

    struct Count
    {
        TTimer* timer;
        qint64 due; // ms on this time's own clock
    };

    void count(TTimer* timer);
    void forget(TTimer* timer);

    static ManualTime* s_current;
    qint64 m_now = 0;
    std::vector<Count> m_counts;
};
