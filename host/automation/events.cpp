#include "host/automation/events.h"

#include <algorithm>

namespace host {

EventSink::~EventSink() = default;

EventSource::~EventSource() = default;

int EventSource::advise(std::shared_ptr<EventSink> sink)
{
    const int cookie = m_nextCookie++;
    m_sinks.emplace_back(cookie, std::move(sink));
    return cookie;
}

void EventSource::unadvise(int cookie)
{
    std::erase_if(m_sinks, [cookie](const auto& entry) { return entry.first == cookie; });
}

void EventSource::fire(const QString& name, const std::vector<Variant>& args) const
{
    // A copy, so that sinks may advise or unadvise while the event is delivered.
    const auto sinks = m_sinks;
    for (const auto& entry : sinks)
        entry.second->onEvent(name, args);
}

void EventSource::fireByRef(const QString& name, std::vector<Variant>& args) const
{
    const auto sinks = m_sinks;
    for (const auto& entry : sinks)
        entry.second->onEventByRef(name, args);
}

} // namespace host
