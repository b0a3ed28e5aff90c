#include "ribbon_addin/os_code.h"

namespace ribbon_addin {

namespace {

std::function<std::int32_t()>& probe()
{
    static std::function<std::int32_t()> current;
    return current;
}

} // namespace

std::int32_t F_GetOS()
{
    return probe() ? probe()() : 0;
}

void exchangeOsProbe(std::function<std::int32_t()> replacement)
{
    probe() = std::move(replacement);
}

} // namespace ribbon_addin
