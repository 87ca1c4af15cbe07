#include "textio/number_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
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

// Powers of ten to 10^8.
constexpr std::uint64_t ten_to[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// The plain range, 0.1 <= |x| < 10^7, by the bits of |x|.
constexpr std::uint32_t plain_lowest_bits = 0x3DCCCCCDu;         // 0.1f
constexpr std::uint32_t plain_end_bits = 0x4B189680u;            // 1.0e7f
constexpr std::uint32_t plain_first_binade = 0x3DCCCCCDu >> 23;  // [2^-4, 2^-3)

// For each binary exponent of the plain range, the decimal exponent E of its
// lowest value (10^E <= x) and the bits of the power of ten inside it, if
// one is (from there on E is one more).
struct Binade {
  std::uint32_t next_power_bits;
  int exponent;
};
struct Binades {
  Binade of[(plain_end_bits >> 23) - plain_first_binade + 1];
};
constexpr Binades make_binades() {
  constexpr float powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
  Binades t{};
  for (std::uint32_t k = 0; k < std::size(t.of); ++k) {
    const std::uint32_t binade = plain_first_binade + k;
    const float lowest = std::bit_cast<float>(binade << 23);
    int E = -1;
    while (E < 7 && lowest >= powers[E + 1]) ++E;
    std::uint32_t next = 0xFFFFFFFFu;
    if (E < 7 && (std::bit_cast<std::uint32_t>(powers[E + 1]) >> 23) == binade)
      next = std::bit_cast<std::uint32_t>(powers[E + 1]);
    t.of[k] = {next, E};
  }
  return t;
}
constexpr Binades binades = make_binades();

// The seven digits of a float of the plain range the long way, for what the
// quick one leaves: its rounding interval at an eight-digit scale, whose
// seven-digit decimals, or else the shortest eight digits rounded half up,
// give them. 0 where the interval holds two seven-digit decimals or leaves its
// decade (the general route takes those).
std::uint64_t seven_digits_by_interval(std::uint32_t bits, int E) {
  const std::uint64_t fraction = bits & 0x7FFFFFu;
  const std::uint64_t m = fraction | 0x800000u;
  const int e = static_cast<int>((bits >> 23) & 0xFFu) - 150;  // x = m * 2^e
  const std::uint64_t scale = ten_to[7 - E];                   // x * scale in [10^7, 10^8)
  const std::uint64_t below = fraction == 0 ? 1 : 2;
  const std::uint64_t nl = (4 * m - below) * scale;
  const std::uint64_t nx = 4 * m * scale;
  const std::uint64_t nh = (4 * m + 2) * scale;
  const int shift = 2 - e;
  const std::uint64_t mask = (std::uint64_t{1} << shift) - 1;
  const bool inclusive = (m & 1) == 0;
  std::uint64_t low = nl >> shift;
  if ((nl & mask) != 0 || !inclusive)
    ++low;
  std::uint64_t high = nh >> shift;
  if ((nh & mask) == 0 && !inclusive)
    --high;
  if (low < 10000000 || high >= 100000000)
    return 0;
  const std::uint64_t first7 = (low + 9) / 10;
  const std::uint64_t last7 = high / 10;
  std::uint64_t c;
  if (first7 == last7) {
    c = first7;
  } else if (first7 < last7) {
    return 0;
  } else {
    std::uint64_t x8 = nx >> shift;
    if (low <= high) {
      // The shortest digits are eight: the nearest to x, ties to even, inside.
      const std::uint64_t rest = nx & mask;
      const std::uint64_t half = (mask + 1) / 2;
      if (rest > half || (rest == half && (x8 & 1) != 0))
        ++x8;
      x8 = x8 < low ? low : (x8 > high ? high : x8);
    }
    // Rounded half up to seven (a half-way point is there only as the
    // shortest digits themselves, which then round away from zero).
    c = (x8 + 5) / 10;
  }
  return c;
}

// The plain field of a 4-byte real with 0.1 <= |x| < 10^7, to out and to copy,
// told straight from its bits in 64-bit integers: the shortest digits rounded
// half away from zero to seven, without formatting. False, writing nothing,
// where x's rounding interval holds two seven-digit decimals or leaves its
// decade; the general route takes those. Proved over every float of the
// range by tests/exhaustive/real32_field_exhaustive_test.cpp.
//
// The quick way first: c, x at a seven-digit scale rounded to an integer, is
// the answer when it lies in x's rounding interval, which at that scale is
// less than one wide (c is then the only seven-digit decimal there, so the
// shortest digits, padded, are c). At the scale S = 10^(6-E), x * S is
// m * S / 2^k exactly, and c's distance from it, times 2^(k+2), is compared
// with the interval's half width, 2S, in integers. The interval is narrower
// than one everywhere but in [2^23, 10^7), whose floats are whole numbers: c
// is x there. No c lies on the interval's ends (that needs 2^(k+1) to divide
// 10^(6-E)), so whether they belong to it (an even m) does not matter; nor
// does the narrower half below a power of two: every power of two in the
// range has seven digits or fewer, and c is x itself.
bool plain_real32_field(float value, char* out, char* copy) {
  if constexpr (std::endian::native != std::endian::little)
    return false;  // the field is composed in little-endian words
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint32_t magnitude = bits & 0x7FFFFFFFu;
  if (magnitude - plain_lowest_bits >= plain_end_bits - plain_lowest_bits)
    return false;
  const Binade& binade = binades.of[(magnitude >> 23) - plain_first_binade];
  const int E = binade.exponent + (magnitude >= binade.next_power_bits ? 1 : 0);
  const std::uint64_t S = ten_to[6 - E];
  const std::uint64_t fraction = bits & 0x7FFFFFu;
  const std::uint64_t m = fraction | 0x800000u;
  const int k = 150 - static_cast<int>(magnitude >> 23);  // x = m / 2^k, 0 <= k <= 27
  const std::uint64_t P = m * S;
  std::uint64_t c = (P + ((std::uint64_t{1} << k) >> 1)) >> k;
  const auto off = static_cast<std::int64_t>(c << (k + 2)) - static_cast<std::int64_t>(4 * P);
  const std::uint64_t distance = static_cast<std::uint64_t>(off < 0 ? -off : off);
  if (distance > 2 * S || c >= 10000000) [[unlikely]]
    c = seven_digits_by_interval(bits, E);
  if (c < 1000000 || c >= 10000000)
    return false;

  // The seven digits as characters in the bytes of one word, first digit in
  // the lowest byte: the value split into 4-digit, 2-digit and 1-digit lanes
  // by multiplying with reciprocals exact over the lanes' ranges.
  std::uint64_t lanes = (c / 10000) | ((c % 10000) << 32);
  std::uint64_t upper = ((lanes * 5243) >> 19) & 0x0000007F0000007Full;  // / 100
  lanes = upper | ((lanes - upper * 100) << 16);
  upper = ((lanes * 103) >> 10) & 0x000F000F000F000Full;  // / 10
  lanes = upper | ((lanes - upper * 10) << 8);
  const std::uint64_t digits = (lanes >> 8) | 0x0030303030303030ull;  // 7 digits, then 0

  // Right-justified before the four trailing blanks of the 15 columns, as the
  // words of columns 1-8 and 8-15.
  constexpr std::uint64_t blanks = 0x2020202020202020ull;
  const std::uint64_t sign = value < 0 ? '-' : ' ';
  std::uint64_t first, second;
  if (E < 0) {  // s0.ddddddd
    first = 0x20 | sign << 8 | std::uint64_t{'0'} << 16 | std::uint64_t{'.'} << 24 | digits << 32;
    second = ((digits >> 24) & 0xFFFFFFFFull) | (blanks << 32);
  } else {  // sd.dddddd to sddddddd.
    const int shift_bits = 8 * (E + 1);
    const std::uint64_t integer_mask = (std::uint64_t{1} << shift_bits) - 1;
    const std::uint64_t body = (digits & integer_mask) | (std::uint64_t{'.'} << shift_bits) |
                               ((digits & ~integer_mask) << 8);
    first = 0x2020 | sign << 16 | body << 24;
    second = (body >> 32) | (blanks << 32);
  }
  std::memcpy(out, &first, 8);
  std::memcpy(out + 7, &second, 8);
  std::memcpy(copy, &first, 8);
  std::memcpy(copy + 7, &second, 8);
  return true;
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
    // Plain form for 0.1 <= |x| < 10^significant, judged on the value rounded
    // to that many digits: only a carry through all nines moves its exponent.
    const int sig = layout.significant;
    bool carries = exp_form.count > sig && exp_form.digits[sig] >= '5';
    for (int k = 0; carries && k < sig; ++k) carries = exp_form.digits[k] == '9';
    const int plain_exponent = exp_form.exponent + (carries ? 1 : 0);
    if (plain_exponent >= -1 && plain_exponent < sig) {
      Decimal& plain = exp_form;
      round_digits(plain, sig);
      // Written in place, right-justified in the frame before the trailing
      // blanks (composing elsewhere and copying costs more than the digits).
      const std::size_t frame = layout.width - layout.trailing;
      const std::size_t length = (plain.negative ? 1 : 0) + static_cast<std::size_t>(plain.count) +
                                 (plain.exponent < 0 ? 2 : 1);
      std::memset(out, ' ', layout.width);
      char* p = out + (frame - length);
      if (plain.negative)
        *p++ = '-';
      if (plain.exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        std::memcpy(p, plain.digits, static_cast<std::size_t>(plain.count));
      } else {
        const std::size_t integer_digits = static_cast<std::size_t>(plain.exponent) + 1;
        std::memcpy(p, plain.digits, integer_digits);
        p += integer_digits;
        *p++ = '.';
        std::memcpy(p, plain.digits + integer_digits,
                    static_cast<std::size_t>(plain.count) - integer_digits);
      }
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

void format_real32_field(float value, char* out, Real32FieldCache* cache) {
  value += 0.0f;  // -0 is written as 0: x + 0 is x but for -0, which gives +0
  char scratch[real32_field_width];
  char* copy = scratch;  // where the field goes besides out
  if (cache != nullptr) {
    Real32FieldCache& table = *cache;
    if (table.passing_by > 0) {
      --table.passing_by;
    } else {
      if (++table.lookups == Real32FieldCache::trial_lookups) {
        if (table.hits < Real32FieldCache::fewest_hits)
          table.passing_by = Real32FieldCache::pass_by_calls;
        table.lookups = 0;
        table.hits = 0;
      }
      std::uint32_t bits;
      std::memcpy(&bits, &value, sizeof bits);
      const std::uint64_t key = bits | (std::uint64_t{1} << 32);
      auto& entry = table.entries[(bits * 0x9E3779B1u) >> (32 - Real32FieldCache::index_bits)];
      if (entry.key == key) {
        ++table.hits;
        std::memcpy(out, entry.field, real32_field_width);
        return;
      }
      entry.key = key;
      copy = entry.field;
    }
  }
  if (!plain_real32_field(value, out, copy)) {
    format_real_field(value, real32_layout, out);
    std::memcpy(copy, out, real32_field_width);
  }
}
void format_real64_field(double value, char* out) {
  value += 0.0;  // -0 is written as 0
  format_real_field(value, real64_layout, out);
}

}  // namespace textio
