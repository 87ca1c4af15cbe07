// tests/real_reference.h: the plain form of a 4-byte real field written the
// simple way, the reference the fast writer is checked against.
#pragma once

#include <algorithm>
#include <charconv>
#include <string>

namespace testing_support {

// The plain form built the simple way: std::to_chars's shortest digits,
// rounded half away from zero to seven digits with string arithmetic.
inline std::string reference_plain_real32(float v) {
  char text[48];
  const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific);
  std::string s(text, r.ptr);
  const bool negative = s[0] == '-';
  if (negative)
    s.erase(0, 1);
  const auto e = s.find('e');
  int exponent = std::stoi(s.substr(e + 1));
  std::string digits = s.substr(0, e);
  digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
  digits.resize(std::max<std::size_t>(digits.size(), 8), '0');
  std::string seven = digits.substr(0, 7);
  if (digits[7] >= '5') {
    int k = 6;
    while (k >= 0 && seven[k] == '9') seven[k--] = '0';
    if (k < 0) {
      seven = "1000000";
      ++exponent;
    } else {
      ++seven[k];
    }
  }
  if (exponent < -1 || exponent > 6)
    return "";  // exponent form: not compared here
  std::string plain = exponent < 0
                          ? "0." + seven
                          : seven.substr(0, exponent + 1) + "." + seven.substr(exponent + 1);
  if (negative)
    plain = "-" + plain;
  return std::string(11 - plain.size(), ' ') + plain + "    ";
}

}  // namespace testing_support
