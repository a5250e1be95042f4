#pragma once

#include <cstdint>
#include <string_view>

namespace zor {

// The value's leading number: optional leading blanks, an optional sign and
// decimal digits; 0 when there is none. Never fails: a number beyond the
// 32-bit range saturates at INT32_MAX or INT32_MIN instead of wrapping.
std::int32_t LenientInteger(std::string_view s);

}  // namespace zor
