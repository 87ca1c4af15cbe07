// textio/number_scan.h: number scanners for the readers' hot loops. Each one
// checks the grammar and converts in a single pass over the characters, so a
// reader need not cut a token first and parse it afterwards. The common forms
// (integers of up to 19 digits; reals whose digits make at most 2^53 and whose
// power of ten is at most 10^22) are done here, inline; the rest goes to the
// exact general routes of number_parse.cpp.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#if defined(__GNUC__)
#define TEXTIO_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define TEXTIO_ALWAYS_INLINE inline
#endif

namespace textio {
namespace scan_detail {

// The general routes, for the characters first .. last that the grammar has
// already taken: false when they are no value of the type (out of range).
bool long_integer(const char* first, const char* last, std::int8_t& value);
bool long_integer(const char* first, const char* last, std::int32_t& value);
bool long_integer(const char* first, const char* last, std::int64_t& value);
bool general_real(const char* first, const char* last, float& value);
bool general_real(const char* first, const char* last, double& value);

// The character at p: with `Terminated`, the text is known to go on past last
// with a character that is no part of a number (a record's line end), so p may
// reach last unchecked; otherwise last reads as '\0'.
template <bool Terminated>
TEXTIO_ALWAYS_INLINE char at(const char* p, const char* last) {
  if constexpr (Terminated) {
    return *p;
  } else {
    return p != last ? *p : '\0';
  }
}

// The first character from p on that is no blank (space or tab): eight at a
// time while they are spaces, as in right-justified number fields.
TEXTIO_ALWAYS_INLINE const char* skip_blanks(const char* p, const char* last) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t spaces = 0x2020202020202020u;
    while (last - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      const std::uint64_t other = word ^ spaces;  // zero bytes where spaces are
      if (other != 0) {
        p += std::countr_zero(other) / 8;
        if (*p != '\t')
          return p;
        ++p;
        continue;
      }
      p += 8;
    }
  }
  while (p != last && (*p == ' ' || *p == '\t')) ++p;
  return p;
}

TEXTIO_ALWAYS_INLINE unsigned digit_of(char c) {
  return static_cast<unsigned char>(c - '0');  // above 9 for anything else
}

// Takes the run of digits at p into value (value x 10^n + the digits) and
// returns its end. Past 19 digits value wraps: the callers count the digits.
template <bool Terminated>
TEXTIO_ALWAYS_INLINE const char* take_digits(const char* p, const char* last,
                                             std::uint64_t& value) {
  std::uint64_t v = value;
  for (;;) {
    const unsigned d = digit_of(at<Terminated>(p, last));
    if (d > 9)
      break;
    v = v * 10 + d;
    ++p;
  }
  value = v;
  return p;
}

template <class T, bool Terminated>
TEXTIO_ALWAYS_INLINE const char* scan_integer(const char* first, const char* last, T& value) {
  const char* p = first;
  char c = at<Terminated>(p, last);
  const bool negative = c == '-';
  if (c == '+' || c == '-')
    c = at<Terminated>(++p, last);
  const char* const digits = p;
  std::uint64_t magnitude = 0;
  p = take_digits<Terminated>(p, last, magnitude);
  if (p == digits)
    return nullptr;
  if (p - digits > 19) [[unlikely]] {
    // Leading zeros, or out of range: the general route decides.
    T v;
    if (!long_integer(first, p, v))
      return nullptr;
    value = v;
    return p;
  }
  const std::uint64_t highest = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
  if (magnitude > highest + (negative ? 1 : 0))
    return nullptr;
  // Modular conversion: the most negative value has no positive twin.
  value = negative ? static_cast<T>(static_cast<std::int64_t>(0 - magnitude))
                   : static_cast<T>(magnitude);
  return p;
}

// Powers of ten exact in double (to 10^22).
inline constexpr double powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// mantissa x 10^exponent correctly rounded by one operation of the machine:
// both are exact in double (mantissa <= 2^53, powers up to 10^22). A float
// from a double on a midpoint between floats would be rounded twice; that
// case is left to the general route (textio_read_speed_paths_test).
template <class T>
TEXTIO_ALWAYS_INLINE bool small_decimal(std::uint64_t mantissa, std::ptrdiff_t exponent,
                                        bool negative, T& value) {
  constexpr std::uint64_t largest_mantissa = std::uint64_t{1} << 53;
  if (mantissa > largest_mantissa) [[unlikely]] {
    // Trailing zeros carry no bits, as in 20000.000000000000.
    while (mantissa > largest_mantissa && mantissa % 10 == 0) {
      mantissa /= 10;
      ++exponent;
    }
    if (mantissa > largest_mantissa)
      return false;
  }
  if (exponent < -22 || exponent > 22)
    return false;
  double v = static_cast<double>(mantissa);
  v = exponent < 0 ? v / powers_of_ten[-exponent] : v * powers_of_ten[exponent];
  if constexpr (sizeof(T) == sizeof(float)) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    constexpr std::uint64_t below_float = (std::uint64_t{1} << 29) - 1;  // bits float drops
    if ((bits & below_float) == std::uint64_t{1} << 28 && mantissa != 0) [[unlikely]]
      return false;
    const float f = static_cast<float>(v);
    value = negative ? -f : f;
  } else {
    value = negative ? -v : v;
  }
  return true;
}

template <class T, bool Terminated>
TEXTIO_ALWAYS_INLINE const char* scan_real(const char* first, const char* last, T& value) {
  const char* p = first;
  char c = at<Terminated>(p, last);
  const bool negative = c == '-';
  if (c == '+' || c == '-')
    c = at<Terminated>(++p, last);
  // The digits and at most one point: the digits make the mantissa, each one
  // after the point lowers its power of ten.
  std::uint64_t mantissa = 0;
  const char* const mantissa_first = p;
  p = take_digits<Terminated>(p, last, mantissa);
  c = at<Terminated>(p, last);
  std::ptrdiff_t digits = p - mantissa_first;
  std::ptrdiff_t exponent = 0;
  if (c == '.') {
    const char* const fraction_first = ++p;
    p = take_digits<Terminated>(p, last, mantissa);
    c = at<Terminated>(p, last);
    exponent = fraction_first - p;
    digits -= exponent;
  }
  if (digits == 0)
    return nullptr;
  if ((c | 0x20) == 'e' || (c | 0x20) == 'd') {
    c = at<Terminated>(++p, last);
    const bool exponent_negative = c == '-';
    if (c == '+' || c == '-')
      c = at<Terminated>(++p, last);
    const char* const exponent_first = p;
    std::ptrdiff_t written = 0;
    for (unsigned d = digit_of(c); d <= 9; d = digit_of(at<Terminated>(++p, last))) {
      if (written < 100000)
        written = written * 10 + d;
    }
    if (p == exponent_first)
      return nullptr;
    exponent += exponent_negative ? -written : written;
  }
  if (digits <= 19 && small_decimal(mantissa, exponent, negative, value)) [[likely]]
    return p;
  T v;
  if (!general_real(first, p, v))
    return nullptr;
  value = v;
  return p;
}

}  // namespace scan_detail

// Each reads the number that starts at `first` (text up to `last`) and returns
// one past its last character, or nullptr when the characters there do not
// form a complete value of the type; `value` is set only on success. The scan
// stops at the first character that cannot go on with the number, so a caller
// that needs a whole token checks that the returned pointer is at its end. The
// grammars and values are those of the parse_* functions of number_text.h:
// whenever a scan returns p, parse_*(first .. p) accepts with the same value.
// With Terminated = true the character at `last` must be readable and no part
// of a number (as after a record of next_record).
template <bool Terminated = false>
TEXTIO_ALWAYS_INLINE const char* scan_int8(const char* first, const char* last,
                                           std::int8_t& value) {
  return scan_detail::scan_integer<std::int8_t, Terminated>(first, last, value);
}
template <bool Terminated = false>
TEXTIO_ALWAYS_INLINE const char* scan_int32(const char* first, const char* last,
                                            std::int32_t& value) {
  return scan_detail::scan_integer<std::int32_t, Terminated>(first, last, value);
}
template <bool Terminated = false>
TEXTIO_ALWAYS_INLINE const char* scan_int64(const char* first, const char* last,
                                            std::int64_t& value) {
  return scan_detail::scan_integer<std::int64_t, Terminated>(first, last, value);
}
template <bool Terminated = false>
TEXTIO_ALWAYS_INLINE const char* scan_real32(const char* first, const char* last, float& value) {
  return scan_detail::scan_real<float, Terminated>(first, last, value);
}
template <bool Terminated = false>
TEXTIO_ALWAYS_INLINE const char* scan_real64(const char* first, const char* last, double& value) {
  return scan_detail::scan_real<double, Terminated>(first, last, value);
}

}  // namespace textio
