#pragma once

// The toolkit's timer component: it ticks every Interval milliseconds while
// Enabled, and not at all while the interval is 0 (a QTimer with interval 0
// would fire at every pass of the event loop). Both properties keep their
// value whether or not the timer runs, so an enabled timer with period 0 still
// reads as enabled. Setting a different interval restarts the count.

#include <QObject>
#include <QTimer>

#include <functional>

class TTimer : public QObject
{
    Q_OBJECT
public:
    // Design state: enabled, one tick per second.
    explicit TTimer(QObject* owner);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool value);
    int Interval() const { return m_interval; } // milliseconds
    void setInterval(int value);                // a negative period counts as 0
    // True while ticks arrive: enabled with a period above 0.
    bool isRunning() const { return m_timer.isActive(); }

    std::function<void(QObject* sender)> OnTimer;

private:
    void restart();

    QTimer m_timer;
    bool m_enabled = true;
    int m_interval = 1000;
};
