#pragma once

#include <cstdint>
#include <functional>

namespace ribbon_addin {

// The add-in's own copy of the OS classification: this platform belongs to neither of the
// lines the codes number, so the code is 0, which the add-in accepts (it refuses 3 and 13).
std::int32_t F_GetOS();

// Tests answer another code (an empty function: the platform's own again).
void exchangeOsProbe(std::function<std::int32_t()> probe);

} // namespace ribbon_addin
