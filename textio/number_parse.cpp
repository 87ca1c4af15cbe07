// Number tokens to values: whole-token, locale-free, straight into the target type.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "textio/number_scan.h"
#include "textio/number_text.h"

namespace textio {
namespace {

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

// The general route of a real token: any number of digits, any exponent.
template <class T>
bool parse_real_exact(std::string_view token, T& value) {
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

// The general route of an integer token: any number of digits.
template <class T>
bool parse_integer_exact(std::string_view token, T& value) {
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
    // Tested before negating: the most negative value has no positive twin.
    if (magnitude_neg < -highest)
      return false;
    value = static_cast<T>(-magnitude_neg);
  }
  return true;
}

// The token read by a scanner that must take all of it.
template <class T, const char* (*scan)(const char*, const char*, T&)>
bool whole_token(std::string_view token, T& value) {
  const char* const last = token.data() + token.size();
  T v{};  // set by the scanner whenever it returns a stop
  const char* const stop = scan(token.data(), last, v);
  if (stop == nullptr || stop != last)
    return false;
  value = v;
  return true;
}

}  // namespace

namespace scan_detail {

bool long_integer(const char* first, const char* last, std::int8_t& value) {
  return parse_integer_exact(std::string_view(first, static_cast<std::size_t>(last - first)),
                             value);
}
bool long_integer(const char* first, const char* last, std::int32_t& value) {
  return parse_integer_exact(std::string_view(first, static_cast<std::size_t>(last - first)),
                             value);
}
bool long_integer(const char* first, const char* last, std::int64_t& value) {
  return parse_integer_exact(std::string_view(first, static_cast<std::size_t>(last - first)),
                             value);
}
bool general_real(const char* first, const char* last, float& value) {
  return parse_real_exact(std::string_view(first, static_cast<std::size_t>(last - first)), value);
}
bool general_real(const char* first, const char* last, double& value) {
  return parse_real_exact(std::string_view(first, static_cast<std::size_t>(last - first)), value);
}

}  // namespace scan_detail

bool parse_int8(std::string_view token, std::int8_t& value) {
  return whole_token<std::int8_t, scan_int8<false>>(token, value);
}
bool parse_int32(std::string_view token, std::int32_t& value) {
  return whole_token<std::int32_t, scan_int32<false>>(token, value);
}
bool parse_int64(std::string_view token, std::int64_t& value) {
  return whole_token<std::int64_t, scan_int64<false>>(token, value);
}
bool parse_real32(std::string_view token, float& value) {
  return whole_token<float, scan_real32<false>>(token, value);
}
bool parse_real64(std::string_view token, double& value) {
  return whole_token<double, scan_real64<false>>(token, value);
}

}  // namespace textio
