#include "textio/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

namespace textio {
namespace {

// A decimal value d[0].d[1]d[2]... x 10^exponent, without leading zeros.
struct Decimal {
  bool negative = false;
  int count = 0;
  int exponent = 0;
  char digits[24];
};

// The shortest digits that read back as the same value of the type.
template <class T>
void shortest_digits(T value, Decimal& d) {
  char text[48];
  const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  const char* p = text;
  d.negative = *p == '-';
  if (d.negative)
    ++p;
  int n = 0;
  d.digits[n++] = *p++;
  if (*p == '.') {
    for (++p; *p != 'e'; ++p) d.digits[n++] = *p;
  }
  d.count = n;
  ++p;  // the 'e'
  const bool negative_exponent = *p++ == '-';
  int exponent = 0;
  for (; p < r.ptr; ++p) exponent = exponent * 10 + (*p - '0');
  d.exponent = negative_exponent ? -exponent : exponent;
}

// Rounds the digit string to exactly n significant digits, halves away from
// zero, padding with zeros; a carry out of the first digit raises the exponent.
void round_digits(Decimal& d, int n) {
  if (d.count <= n) {
    for (int k = d.count; k < n; ++k) d.digits[k] = '0';
    d.count = n;
    return;
  }
  const bool up = d.digits[n] >= '5';
  d.count = n;
  if (up) {
    int k = n - 1;
    while (k >= 0 && d.digits[k] == '9') d.digits[k--] = '0';
    if (k >= 0) {
      ++d.digits[k];
    } else {
      d.digits[0] = '1';
      ++d.exponent;
    }
  }
}

void right_justify(const char* text, std::size_t length, std::size_t width, char* out) {
  if (length > width) {
    std::memset(out, '*', width);
    return;
  }
  std::memset(out, ' ', width - length);
  std::memcpy(out + (width - length), text, length);
}

struct RealLayout {
  int significant;       // digits of the plain form
  std::size_t width;     // field width
  std::size_t trailing;  // blanks after the plain form
  int exponent_digits;
};

template <class T>
void format_real_field(T value, const RealLayout& layout, char* out) {
  char text[64];
  std::size_t n = 0;
  if (std::isnan(value)) {
    right_justify("NaN", 3, layout.width, out);
    return;
  }
  if (std::isinf(value)) {
    const char* t = value < 0 ? "-Infinity" : "Infinity";
    right_justify(t, std::strlen(t), layout.width, out);
    return;
  }
  Decimal exp_form;
  if (value == 0) {
    exp_form.negative = std::signbit(value);
    exp_form.digits[0] = '0';
    exp_form.count = 1;
    round_digits(exp_form, layout.significant + 1);
  } else {
    shortest_digits(value, exp_form);
    Decimal plain = exp_form;
    round_digits(plain, layout.significant);
    // Plain form for 0.1 <= |x| < 10^significant, judged on the rounded value.
    if (plain.exponent >= -1 && plain.exponent < layout.significant) {
      if (plain.negative)
        text[n++] = '-';
      if (plain.exponent < 0) {
        text[n++] = '0';
        text[n++] = '.';
        std::memcpy(text + n, plain.digits, static_cast<std::size_t>(plain.count));
        n += static_cast<std::size_t>(plain.count);
      } else {
        const int integer_digits = plain.exponent + 1;
        std::memcpy(text + n, plain.digits, static_cast<std::size_t>(integer_digits));
        n += static_cast<std::size_t>(integer_digits);
        text[n++] = '.';
        const int decimals = plain.count - integer_digits;
        std::memcpy(text + n, plain.digits + integer_digits, static_cast<std::size_t>(decimals));
        n += static_cast<std::size_t>(decimals);
      }
      const std::size_t frame = layout.width - layout.trailing;
      right_justify(text, n, frame, out);
      std::memset(out + frame, ' ', layout.trailing);
      return;
    }
    round_digits(exp_form, layout.significant + 1);
  }
  if (exp_form.negative)
    text[n++] = '-';
  text[n++] = exp_form.digits[0];
  text[n++] = '.';
  std::memcpy(text + n, exp_form.digits + 1, static_cast<std::size_t>(exp_form.count - 1));
  n += static_cast<std::size_t>(exp_form.count - 1);
  text[n++] = 'E';
  text[n++] = exp_form.exponent < 0 ? '-' : '+';
  char exp_text[8];
  const int magnitude = exp_form.exponent < 0 ? -exp_form.exponent : exp_form.exponent;
  const auto r = std::to_chars(exp_text, exp_text + sizeof exp_text, magnitude);
  const int exp_len = static_cast<int>(r.ptr - exp_text);
  for (int k = exp_len; k < layout.exponent_digits; ++k) text[n++] = '0';
  std::memcpy(text + n, exp_text, static_cast<std::size_t>(exp_len));
  n += static_cast<std::size_t>(exp_len);
  right_justify(text, n, layout.width, out);
}

constexpr RealLayout real32_layout{7, real32_field_width, 4, 2};
constexpr RealLayout real64_layout{15, real64_field_width, 5, 3};

}  // namespace

void format_int_field(std::int64_t value, std::size_t width, char* out) {
  char text[24];
  const auto r = std::to_chars(text, text + sizeof text, value);
  right_justify(text, static_cast<std::size_t>(r.ptr - text), width, out);
}

namespace {

// Fields of recently written 4-byte reals, by bit pattern. Output series
// repeat their values (every time step of an event shows the same ones, and
// model output carries few decimals), so most fields are copied, not formatted.
// The program runs on one thread.
struct Real32Fields {
  static constexpr int index_bits = 14;
  struct Entry {
    std::uint64_t key = 0;  // bit pattern + 1 << 32; 0 marks an empty entry
    char field[real32_field_width];
  };
  Entry entries[std::size_t{1} << index_bits];
};
Real32Fields real32_fields;

}  // namespace

void format_real32_field(float value, char* out) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint64_t key = bits | (std::uint64_t{1} << 32);
  auto& entry = real32_fields.entries[(bits * 0x9E3779B1u) >> (32 - Real32Fields::index_bits)];
  if (entry.key == key) {
    std::memcpy(out, entry.field, real32_field_width);
    return;
  }
  format_real_field(value, real32_layout, out);
  entry.key = key;
  std::memcpy(entry.field, out, real32_field_width);
}
void format_real64_field(double value, char* out) {
  format_real_field(value, real64_layout, out);
}

}  // namespace textio
