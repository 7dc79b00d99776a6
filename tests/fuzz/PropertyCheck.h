#pragma once
// Property checks shared by the fuzz targets and the corpus replay test. A broken
// property aborts, which libFuzzer keeps as a crash input and a test reports as a crash.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define DP_PROPERTY(cond)                                                                          \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace dp::fuzz {

// Each takes one input of any content and checks the properties of its target.
void CheckLogFileInput(const uint8_t* data, std::size_t size);
void CheckSettingsFileInput(const uint8_t* data, std::size_t size);
void CheckLinkRepliesInput(const uint8_t* data, std::size_t size);

}  // namespace dp::fuzz
