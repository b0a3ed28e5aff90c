#pragma once

#include "host/automation/variant.h"

#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace host {

// Receives the events of an automation object by name, with the event's arguments as values,
// so that a sink living in another process can stand behind the same interface.
class EventSink
{
public:
    virtual ~EventSink();
    virtual void onEvent(const QString& name, const std::vector<Variant>& args) = 0;
};

// The connection point of an object that raises events: sinks are advised and unadvised by a
// cookie. A sink may unadvise itself (or others) while an event is being delivered. A stand-in
// for an object of another process overrides advise and unadvise to tell that process.
class EventSource
{
public:
    virtual ~EventSource();
    virtual int advise(std::shared_ptr<EventSink> sink);
    virtual void unadvise(int cookie);
    bool hasSinks() const { return !m_sinks.empty(); }
    void fire(const QString& name, const std::vector<Variant>& args) const;

private:
    std::vector<std::pair<int, std::shared_ptr<EventSink>>> m_sinks;
    int m_nextCookie = 1;
};

// A sink that hands every event to a function.
class CallbackSink : public EventSink
{
public:
    using Callback = std::function<void(const QString& name, const std::vector<Variant>& args)>;
    explicit CallbackSink(Callback callback) : m_callback(std::move(callback)) {}
    void onEvent(const QString& name, const std::vector<Variant>& args) override
    {
        m_callback(name, args);
    }

private:
    Callback m_callback;
};

} // namespace host
