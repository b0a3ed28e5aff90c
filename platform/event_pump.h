#pragma once

#include "platform/service_slot.h"

namespace platform {

// Lets the events that are waiting run, so that long loops keep the windows responsive and
// see a cancel request. Tests count the calls or act between iterations.
class EventPump
{
public:
    virtual ~EventPump();
    virtual void run() = 0;
};

EventPump& eventPump();
EventPump* exchangeEventPump(EventPump* pump);
using ScopedEventPump = ScopedService<EventPump, &exchangeEventPump>;

// Runs the pending events through the pump in place (by default the application's event
// loop, when there is an application object).
void letPendingEventsRun();

} // namespace platform
