// textio/number_text.h: numbers to and from text, exactly and without locale:
// the free-format number fields, and the parsing of integer and real values.
#pragma once

#include <cstdint>
#include <string_view>

namespace textio {

inline constexpr std::size_t int8_field_width = 5;
inline constexpr std::size_t int32_field_width = 12;
inline constexpr std::size_t int64_field_width = 22;
inline constexpr std::size_t real32_field_width = 15;
inline constexpr std::size_t real64_field_width = 24;

// Right-justified integer in `width` columns, blank-filled (the free-format
// integer fields). Writes exactly `width` characters to out.
void format_int_field(std::int64_t value, std::size_t width, char* out);
// The 15-column field of a 4-byte real and the 24-column field of an 8-byte real.
void format_real32_field(float value, char* out);
void format_real64_field(double value, char* out);

// Whole-token parses. Integers: optional sign and decimal digits, in the range
// of the type. Reals: optional sign, digits with an optional point, optional
// exponent E, e, D or d with optional sign; no inf or nan.
bool parse_int8(std::string_view token, std::int8_t& value);
bool parse_int32(std::string_view token, std::int32_t& value);
bool parse_int64(std::string_view token, std::int64_t& value);
bool parse_real32(std::string_view token, float& value);
bool parse_real64(std::string_view token, double& value);

}  // namespace textio
