#include "platform/TTimer.h"

#include <algorithm>
#include <utility>

TTimer::TTimer(QObject* owner, Qt::TimerType accuracy) : QObject(owner)
{
    m_timer.setTimerType(accuracy);
    connect(&m_timer, &QTimer::timeout, this, &TTimer::tick);
    restart();
}

TTimer::~TTimer()
{
    if (m_manualTime)
        m_manualTime->forget(this);
}

void TTimer::setEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    restart();
}

void TTimer::setInterval(int value)
{
    value = std::max(0, value);
    if (value == m_interval)
        return;
    m_interval = value;
    restart();
}

void TTimer::restart()
{
    m_timer.stop();
    if (m_manualTime)
        m_manualTime->forget(this);
    if (!m_enabled || m_interval == 0)
        return;
    if (ManualTime::s_current) {
        ManualTime::s_current->count(this);
        return;
    }
    m_timer.start(m_interval);
}

void TTimer::tick()
{
    if (OnTimer)
        OnTimer(this);
}

TTimer::ManualTime* TTimer::ManualTime::s_current = nullptr;

TTimer::ManualTime::ManualTime()
{
    Q_ASSERT_X(!s_current, "TTimer::ManualTime", "one stands in for the time at once");
    s_current = this;
}

TTimer::ManualTime::~ManualTime()
{
    s_current = nullptr;
    for (const Count& counted : std::exchange(m_counts, {})) {
        counted.timer->m_manualTime = nullptr;
        counted.timer->restart();
    }
}

void TTimer::ManualTime::advance(std::chrono::milliseconds span)
{
    const qint64 end = m_now + span.count();
    for (;;) {
        // Searched anew after every tick, which may start, stop or delete timers.
        const auto next = std::min_element(m_counts.begin(), m_counts.end(),
                                           [](const Count& a, const Count& b) { return a.due < b.due; });
        if (next == m_counts.end() || next->due > end)
            break;
        m_now = next->due;
        TTimer* timer = next->timer;
        next->due += timer->m_interval;
        timer->tick();
    }
    m_now = end;
}

void TTimer::ManualTime::count(TTimer* timer)
{
    timer->m_manualTime = this;
    m_counts.push_back({timer, m_now + timer->m_interval});
}

void TTimer::ManualTime::forget(TTimer* timer)
{
    std::erase_if(m_counts, [timer](const Count& counted) { return counted.timer == timer; });
    timer->m_manualTime = nullptr;
}
