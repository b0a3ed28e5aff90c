#pragma once

#include <QTimer>

#include <functional>

namespace host_app {

// Gathers refresh requests (bits of what to refresh) and runs the refresh once when the event
// loop comes round, however many changes arrived meanwhile.
class CoalescedRefresh
{
public:
    explicit CoalescedRefresh(std::function<void(unsigned what)> refresh)
        : m_refresh(std::move(refresh))
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(0);
        m_timer.callOnTimeout([this] { flush(); });
    }

    void request(unsigned what)
    {
        m_pending |= what;
        if (!m_timer.isActive())
            m_timer.start();
    }
    // Runs a pending refresh now.
    void flush()
    {
        m_timer.stop();
        const unsigned what = m_pending;
        m_pending = 0;
        if (what)
            m_refresh(what);
    }
    unsigned pending() const { return m_pending; }

private:
    std::function<void(unsigned)> m_refresh;
    unsigned m_pending = 0;
    QTimer m_timer;
};

} // namespace host_app
