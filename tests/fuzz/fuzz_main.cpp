// One libFuzzer program per case; PICROWS_FUZZ_CASE names the case (fuzz_cases.h).
#include "tests/fuzz/fuzz_cases.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_cases::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz_cases::PICROWS_FUZZ_CASE(data, size);
    return 0;
}
