#include "platform/event_pump.h"

#include <QCoreApplication>

#include <utility>

namespace platform {

EventPump::~EventPump() = default;

namespace {

class ApplicationPump : public EventPump
{
public:
    void run() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
};

EventPump*& installedPump()
{
    static EventPump* pump = nullptr;
    return pump;
}

} // namespace

EventPump& eventPump()
{
    if (EventPump* p = installedPump())
        return *p;
    static ApplicationPump fallback;
    return fallback;
}

EventPump* exchangeEventPump(EventPump* pump)
{
    return std::exchange(installedPump(), pump);
}

void letPendingEventsRun()
{
    eventPump().run();
}

} // namespace platform
