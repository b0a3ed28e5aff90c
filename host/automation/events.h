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
    // An event with arguments passed by reference, which handlers may change (a click's
    // CancelDefault). A sink that changes none hears it as any other event.
    virtual void onEventByRef(const QString& name, std::vector<Variant>& args)
    {
        onEvent(name, args);
    }
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
    // Each sink in turn sees the arguments as the sinks before it left them.
    void fireByRef(const QString& name, std::vector<Variant>& args) const;

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

// A sink that hands every event to a function that may change arguments passed by reference.
class ByRefCallbackSink : public EventSink
{
public:
    using Callback = std::function<void(const QString& name, std::vector<Variant>& args)>;
    explicit ByRefCallbackSink(Callback callback) : m_callback(std::move(callback)) {}
    void onEvent(const QString& name, const std::vector<Variant>& args) override
    {
        std::vector<Variant> copy = args;
        m_callback(name, copy);
    }
    void onEventByRef(const QString& name, std::vector<Variant>& args) override
    {
        m_callback(name, args);
    }

private:
    Callback m_callback;
};

} // namespace host
