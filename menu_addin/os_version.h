#pragma once

#include <cstdint>
#include <optional>

namespace menu_addin {

// What the platform says of itself: its platform id (1 the old consumer line, 2 the NT line,
// anything else another system) and version; for the NT line from major 6 on, the kernel's
// own version too.
struct OsVersion
{
    int platformId = 0;
    int major = 0;
    int minor = 0;
    int kernelMajor = 0;
    int kernelMinor = 0;
};

// The OS code of a version record; none (a failed query) gives 0. Codes 3 and 13 are the
// versions the suite refuses.
std::int32_t classifyOs(const std::optional<OsVersion>& version);

// The OS code of the running platform. This platform is Linux, which belongs to neither line
// (platform id "other"), so the answer is 0 whatever the kernel's version: neither refused code.
std::int32_t F_GetOS();

} // namespace menu_addin
