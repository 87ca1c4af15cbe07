#include "report/csv_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace report {

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string plain_decimals(double value, int decimals) {
  if (!std::isfinite(value))
    return "";
  char text[400];
  const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                               std::clamp(decimals, 0, 40));
  std::string s(text, r.ptr);
  if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos)
    s.erase(0, 1);  // -0.000 is 0.000
  return s;
}

std::string plain_significant(double value, int digits) {
  if (!std::isfinite(value))
    return "";
  if (value == 0.0)
    return "0";
  const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(value))));
  return plain_decimals(value, std::max(0, digits - 1 - magnitude));
}

}  // namespace report
