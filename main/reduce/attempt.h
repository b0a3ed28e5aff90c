#pragma once

#include "host/automation/host_error.h"

namespace picrows {

// Runs one step whose host errors are ignored; answers whether it went through.
template <class Step> bool attempt(Step step)
{
    try {
        step();
        return true;
    } catch (const host::HostError&) {
        return false;
    }
}

} // namespace picrows
