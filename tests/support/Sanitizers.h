#pragma once
// Whether this build runs under AddressSanitizer, for the few tests that cannot: it
// reserves terabytes of address space up front, so a limit on the address space
// (RLIMIT_AS) starves the sanitizer itself instead of the code under test.

namespace dp::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

inline constexpr const char* kNoAddressLimitUnderAsan =
    "an address-space limit cannot be tested under AddressSanitizer";

}  // namespace dp::test
