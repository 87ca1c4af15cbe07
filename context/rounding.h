// context/rounding.h: 4-byte reals rounded to 4-byte integers, halves away from
// zero, as every count derived from a real is.
// Shared run state: wavemodel/, convert/ and shoreline/ may include it.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace context {

// Nothing for a value that is not a number or lies outside the 4-byte range.
inline std::optional<std::int32_t> nearest_int32(float value) {
  const float rounded = std::round(value);
  // 2^31 is exact as a float; every float below it converts to a 4-byte integer.
  if (!(rounded >= -2147483648.0f && rounded < 2147483648.0f))
    return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace context
