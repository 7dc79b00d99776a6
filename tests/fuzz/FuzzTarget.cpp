// One libFuzzer target; DP_FUZZ_CHECK names the property check it runs.

#include "PropertyCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    dp::fuzz::DP_FUZZ_CHECK(data, size);
    return 0;
}
