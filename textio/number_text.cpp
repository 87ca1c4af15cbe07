#include "textio/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

namespace textio {
namespace {

// A decimal value d1.d2d3... x 10^exponent, digits without leading zeros.
struct Decimal {
  bool negative = false;
  char digits[40];
  int count = 0;
  int exponent = 0;
};

// The shortest digits that read back as the same value of the type.
template <class T>
Decimal shortest_digits(T value) {
  Decimal d;
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  const char* p = text;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  for (; p < r.ptr && *p != 'e'; ++p) {
    if (*p != '.')
      d.digits[d.count++] = *p;
  }
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exponent);
  d.exponent = exponent;
  return d;
}

// Rounds the digit string to exactly n significant digits, halves away from
// zero, padding with zeros; a carry out of the first digit raises the exponent.
Decimal round_digits(const Decimal& in, int n) {
  Decimal d = in;
  if (d.count <= n) {
    for (int k = d.count; k < n; ++k) d.digits[k] = '0';
    d.count = n;
    return d;
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
  return d;
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
    exp_form.count = 0;
    exp_form = round_digits(exp_form, layout.significant + 1);
    exp_form.exponent = 0;
  } else {
    const Decimal shortest = shortest_digits(value);
    const Decimal plain = round_digits(shortest, layout.significant);
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
    exp_form = round_digits(shortest, layout.significant + 1);
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

// The token's grammar as a real: [sign] digits [. digits] [exp [sign] digits].
// Returns false when it does not match. Reports where the exponent letter is.
bool real_grammar(std::string_view t, std::size_t& exp_letter) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-'))
    ++i;
  std::size_t digits = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  }
  if (digits == 0)
    return false;
  exp_letter = std::string_view::npos;
  if (i == t.size())
    return true;
  const char c = t[i];
  if (c != 'E' && c != 'e' && c != 'D' && c != 'd')
    return false;
  exp_letter = i++;
  if (i < t.size() && (t[i] == '+' || t[i] == '-'))
    ++i;
  std::size_t exp_digits = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++exp_digits;
  return exp_digits > 0 && i == t.size();
}

// Whether a real token whose conversion left the type's range lies below it
// (an underflow, read as zero) rather than above it: the decimal magnitude of
// the first significant digit plus the exponent decides.
bool is_underflow(std::string_view t, std::size_t exp_letter) {
  const std::size_t mantissa_end = exp_letter == std::string_view::npos ? t.size() : exp_letter;
  long long magnitude = 0;  // integer digits from the first non-zero one, or -(zeros after point)
  bool in_fraction = false, significant = false;
  for (std::size_t i = 0; i < mantissa_end; ++i) {
    const char c = t[i];
    if (c == '.') {
      in_fraction = true;
    } else if (c >= '0' && c <= '9') {
      if (c != '0')
        significant = true;
      if (!in_fraction && significant)
        ++magnitude;
      if (in_fraction && !significant)
        --magnitude;
      if (in_fraction && significant)
        break;
    }
  }
  if (!significant)
    return true;
  long long exponent = 0;
  if (exp_letter != std::string_view::npos) {
    std::string_view e = t.substr(exp_letter + 1);
    const bool negative = e[0] == '-';
    if (e[0] == '+' || e[0] == '-')
      e.remove_prefix(1);
    for (char c : e) {
      if (exponent < 1000000000)
        exponent = exponent * 10 + (c - '0');
    }
    if (negative)
      exponent = -exponent;
  }
  return magnitude + exponent <= 0;
}

template <class T>
bool parse_real(std::string_view token, T& value) {
  std::size_t exp_letter;
  if (!real_grammar(token, exp_letter))
    return false;
  // from_chars takes neither a leading '+' nor a D exponent: adapt a copy.
  const bool plus = token[0] == '+';
  const bool d_exponent = exp_letter != std::string_view::npos &&
                          (token[exp_letter] == 'D' || token[exp_letter] == 'd');
  std::string_view text = token;
  char local[128];
  std::string heap;
  if (plus || d_exponent) {
    char* buffer = local;
    if (token.size() > sizeof local) {
      heap.assign(token);
      buffer = heap.data();
    } else {
      std::memcpy(local, token.data(), token.size());
    }
    if (d_exponent)
      buffer[exp_letter] = 'e';
    text = std::string_view(buffer, token.size());
    if (plus)
      text.remove_prefix(1);
  }
  T result{};
  const auto r = std::from_chars(text.data(), text.data() + text.size(), result);
  if (r.ec == std::errc::result_out_of_range) {
    if (!is_underflow(token, exp_letter))
      return false;
    value = token[0] == '-' ? -T(0) : T(0);
    return true;
  }
  if (r.ec != std::errc() || r.ptr != text.data() + text.size())
    return false;
  value = result;
  return true;
}

template <class T>
bool parse_integer(std::string_view token, T& value) {
  if (token.empty())
    return false;
  bool negative = false;
  if (token[0] == '+' || token[0] == '-') {
    negative = token[0] == '-';
    token.remove_prefix(1);
  }
  if (token.empty())
    return false;
  for (char c : token) {
    if (c < '0' || c > '9')
      return false;
  }
  // Accumulate negatively so that the most negative value fits.
  std::int64_t magnitude_neg = 0;
  const std::int64_t lowest = std::numeric_limits<T>::min();
  const std::int64_t highest = std::numeric_limits<T>::max();
  for (char c : token) {
    const int digit = c - '0';
    if (magnitude_neg < (lowest + digit) / 10)
      return false;
    magnitude_neg = magnitude_neg * 10 - digit;
  }
  if (negative) {
    value = static_cast<T>(magnitude_neg);
  } else {
    if (-magnitude_neg > highest || magnitude_neg < -highest)
      return false;
    value = static_cast<T>(-magnitude_neg);
  }
  return true;
}

}  // namespace

void format_int_field(std::int64_t value, std::size_t width, char* out) {
  char text[24];
  const auto r = std::to_chars(text, text + sizeof text, value);
  right_justify(text, static_cast<std::size_t>(r.ptr - text), width, out);
}

void format_real32_field(float value, char* out) {
  format_real_field(value, real32_layout, out);
}
void format_real64_field(double value, char* out) {
  format_real_field(value, real64_layout, out);
}

bool parse_int8(std::string_view token, std::int8_t& value) {
  return parse_integer(token, value);
}
bool parse_int32(std::string_view token, std::int32_t& value) {
  return parse_integer(token, value);
}
bool parse_int64(std::string_view token, std::int64_t& value) {
  return parse_integer(token, value);
}
bool parse_real32(std::string_view token, float& value) {
  return parse_real(token, value);
}
bool parse_real64(std::string_view token, double& value) {
  return parse_real(token, value);
}

}  // namespace textio
