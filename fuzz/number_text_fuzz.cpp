// The number parsers on arbitrary tokens; every value they accept must come
// back through the free-format number fields.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "textio/number_text.h"

namespace {

std::string_view without_blanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

template <class Int>
void check_integer(std::string_view token, bool (*parse)(std::string_view, Int&),
                   std::size_t width) {
  Int value = 0;
  if (!parse(token, value))
    return;
  char field[32];
  textio::format_int_field(value, width, field);
  Int back = 0;
  fuzz::require(parse(without_blanks({field, width}), back) && back == value,
                "an integer that does not come back from its field");
}

void check_reals(std::string_view token) {
  char field[32];
  float f = 0.0f;
  if (textio::parse_real32(token, f)) {
    fuzz::require(std::isfinite(f), "a 4-byte real read as infinite or NaN");
    textio::format_real32_field(f, field);
    float back = 0.0f;
    const std::string_view shown(field, textio::real32_field_width);
    fuzz::require(textio::parse_real32(without_blanks(shown), back),
                  "a 4-byte real field that does not read back");
    fuzz::require(std::fabs(back - f) <= 1e-6f * std::fabs(f),
                  "a 4-byte real field off by more than its 7 digits");
  }
  double d = 0.0;
  if (textio::parse_real64(token, d)) {
    fuzz::require(std::isfinite(d), "an 8-byte real read as infinite or NaN");
    textio::format_real64_field(d, field);
    double back = 0.0;
    const std::string_view shown(field, textio::real64_field_width);
    if (!textio::parse_real64(without_blanks(shown), back)) {
      // 16 digits of the largest values round up past the 8-byte range
      // (1.7976931348623157E+308 is written 1.797693134862316E+308).
      fuzz::require(std::fabs(d) > 1.797693134862315e308,
                    "an 8-byte real field that does not read back");
      return;
    }
    fuzz::require(std::fabs(back - d) <= 1e-14 * std::fabs(d),
                  "an 8-byte real field off by more than its 15 digits");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::input_text(data, size);
  // The whole input as one token, and each blank-separated part of it.
  check_integer<std::int8_t>(text, textio::parse_int8, textio::int8_field_width);
  check_integer<std::int32_t>(text, textio::parse_int32, textio::int32_field_width);
  check_integer<std::int64_t>(text, textio::parse_int64, textio::int64_field_width);
  check_reals(text);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos)
      end = text.size();
    const std::string_view token = text.substr(start, end - start);
    check_integer<std::int32_t>(token, textio::parse_int32, textio::int32_field_width);
    check_reals(token);
    start = end + 1;
  }
  return 0;
}
