#include "platform/TTimer.h"

TTimer::TTimer(QObject* owner) : QObject(owner)
{
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (OnTimer)
            OnTimer(this);
    });
    restart();
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
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
}
