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
// Fields of recently written 4-byte reals, by bit pattern, kept by the output
// file that writes them. Output series repeat their values (every time step of
// an event shows the same ones, and model output carries few decimals), so
// most fields are copied, not formatted. Where the values seldom repeat (a
// time series of model output), looking them up costs more than it saves:
// the table is then passed by for a while, and tried again after.
struct Real32FieldCache {
  static constexpr int index_bits = 12;
  static constexpr std::uint32_t trial_lookups = 4096;
  static constexpr std::uint32_t fewest_hits = trial_lookups / 8;
  static constexpr std::uint32_t pass_by_calls = 16 * trial_lookups;
  struct Entry {
    std::uint64_t key = 0;  // bit pattern + 1 << 32; 0 marks an empty entry
    char field[real32_field_width];
  };
  Entry entries[std::size_t{1} << index_bits];
  std::uint32_t lookups = 0;  // in the current trial
  std::uint32_t hits = 0;
  std::uint32_t passing_by = 0;  // calls left that do not use the table
};

// The 15-column field of a 4-byte real (through `cache` when one is given)
// and the 24-column field of an 8-byte real.
void format_real32_field(float value, char* out, Real32FieldCache* cache = nullptr);
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
