#include "menu_addin/os_version.h"

#include <sys/utsname.h>

namespace menu_addin {

std::int32_t classifyOs(const std::optional<OsVersion>& version)
{
    if (!version)
        return 0;
    const OsVersion& v = *version;
    if (v.platformId == 1) {
        if (v.major == 4 && v.minor == 0)
            return 0;
        if (v.major == 4 && v.minor == 10)
            return 1;
        if (v.major == 4 && v.minor == 90)
            return 2;
        return 3;
    }
    if (v.platformId != 2)
        return 0;
    if (v.major <= 4)
        return 4;
    if (v.major == 5)
        return v.minor == 0 ? 5 : v.minor == 1 ? 6 : 13;
    if (v.kernelMajor == 6 && v.kernelMinor >= 0 && v.kernelMinor <= 4)
        return 7 + v.kernelMinor;
    if (v.kernelMajor == 10 && v.kernelMinor == 0)
        return 12;
    return 13;
}

std::int32_t F_GetOS()
{
    utsname name{};
    if (uname(&name) != 0)
        return classifyOs(std::nullopt);
    // Not a system of either line: platform id "other".
    OsVersion version;
    version.platformId = 0;
    return classifyOs(version);
}

} // namespace menu_addin
