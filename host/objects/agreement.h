#pragma once

#include "host/automation/variant.h"

namespace host::objects {

// True, False, or Null when the cells gave both answers.
inline Variant agreement(bool sawTrue, bool sawFalse)
{
    if (sawTrue && sawFalse)
        return Variant::null();
    return Variant(sawTrue);
}

} // namespace host::objects
